#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>

namespace hushpane {

// Plasma's desktop scripting: plasmashell runs a script against its desktops and returns what
// the script printed. An interface so that the logic above it runs on a fake.
class PlasmaScripting {
public:
    struct Reply {
        std::optional<QString> output;  // what the script printed
        std::optional<QString> error;   // set when plasmashell could not run it
    };

    virtual ~PlasmaScripting() = default;

    // Bounded by kDesktopCallTimeoutMs.
    virtual Reply evaluateScript(const QString& script) = 0;
};

// A script of Hushpane's own: a fixed body that reads its data from the variable `input` and
// prints one JSON object as its only output.
struct PlasmaScript {
    struct Answer {
        QJsonObject result;
        std::optional<QString> error;
    };

    // The script text: `input` is written as a JSON literal, so no string of the data can end
    // up as code (JSON is JavaScript; the two line separators JavaScript knew nothing of are
    // escaped as well).
    static QString build(const QJsonObject& input, const QString& body);

    // The printed text as one JSON object; any other text is an error, never a guess.
    static Answer parse(const QString& output);

    // build, evaluateScript, parse.
    static Answer run(PlasmaScripting& scripting, const QJsonObject& input, const QString& body);
};

}  // namespace hushpane
