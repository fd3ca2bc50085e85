#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace hushpane {

// What the update dialog shows: the outcome of a check in the words people read.
struct UpdatePresentation {
    enum class Kind { UpToDate, UpdateAvailable, Failed };

    Kind kind = Kind::UpToDate;
    QString heading;       // the first line, in bold
    QString detail;        // one or two sentences below it
    QUrl releaseNotesUrl;  // UpdateAvailable only; may be empty
    QUrl downloadPage;     // UpdateAvailable only

    bool operator==(const UpdatePresentation&) const = default;
};

// Shows the outcome of an update check. The real one is a small dialog; tests record.
class UpdatePresenter {
public:
    virtual ~UpdatePresenter() = default;
    // Shows `presentation` (replacing what is shown) without blocking.
    virtual void present(const UpdatePresentation& presentation) = 0;
    // Asks, without blocking, whether to check for updates on a schedule; `answer` is called
    // once with the choice, or never when the question is closed without one.
    virtual void askAboutAutomaticChecks(std::function<void(bool)> answer) = 0;
};

}  // namespace hushpane
