#pragma once

#include <QUrl>

#include <functional>
#include <optional>

class QFileDialog;
class QWidget;

namespace hushpane::settings {

// The file dialog behind "Choose…": one image file, starting beside the current picture or in
// the user's Pictures folder.
class WallpaperChooser {
public:
    // Runs the configured dialog modally and returns the chosen file, or nothing when the user
    // cancelled. Tests put their own in place of the real modal run.
    using Runner = std::function<std::optional<QUrl>(QFileDialog& dialog)>;

    static std::optional<QUrl> runModally(QFileDialog& dialog);

    // Sets title, prompt, the image filter, single-file mode and the starting folder.
    static void configure(QFileDialog& dialog, const std::optional<QUrl>& current);
    // The folder to start in: the current picture's, else the first Pictures folder, else none.
    static std::optional<QString> startingDirectory(const std::optional<QUrl>& current);
    // One filter that accepts every image format this system can read.
    static QString imageFilter();

    // Shows the dialog over `parent`; the result as for Runner.
    static std::optional<QUrl> choose(QWidget* parent, const std::optional<QUrl>& current,
                                      const Runner& runner = runModally);
};

}  // namespace hushpane::settings
