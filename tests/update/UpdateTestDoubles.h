#pragma once

#include "platform/UpdateService.h"
#include "update/UpdateNotifier.h"
#include "update/UpdatePresenter.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <QPair>
#include <QTest>

#include <functional>

namespace hushpane::test {

class RecordingPresenter : public UpdatePresenter {
public:
    void present(const UpdatePresentation& presentation) override { shown.append(presentation); }
    void askAboutAutomaticChecks(std::function<void(bool)> answer) override {
        ++questions;
        pendingAnswer = std::move(answer);
    }
    QList<UpdatePresentation> shown;
    int questions = 0;
    std::function<void(bool)> pendingAnswer;
};

class RecordingNotifier : public UpdateNotifier {
public:
    bool isAvailable() override { return available; }
    void notify(const QString& summary, const QString& body) override {
        notifications.append({summary, body});
    }
    bool available = true;
    QList<QPair<QString, QString>> notifications;
};

class RecordingDelegate : public UpdateServiceDelegate {
public:
    bool supportsGentleScheduledUpdateReminders() const override { return gentle; }
    void standardUserDriverWillHandleShowingUpdate(bool handleShowingUpdate) override {
        willHandleCalls.append(handleShowingUpdate);
    }
    bool gentle = true;
    QList<bool> willHandleCalls;
};

// Runs the event loop until `done` holds or `ms` have passed; the result is `done()`.
inline bool waitUntil(const std::function<bool()>& done, int ms = 5000) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        QTest::qWait(5);
    }
    return done();
}

struct FeedEntry {
    QString version;
    QString shortVersion;
};

// An appcast with one item per entry, in the usual enclosure form.
inline QByteArray appcastFeed(const QList<FeedEntry>& entries) {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<rss version=\"2.0\" "
        "xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">"
        "<channel><title>Hushpane</title>";
    for (const FeedEntry& e : entries) {
        xml += "<item><title>Hushpane " + e.shortVersion.toUtf8() +
               "</title>"
               "<link>https://hushpane.app/download/" +
               e.version.toUtf8() +
               "</link>"
               "<sparkle:releaseNotesLink>https://hushpane.app/notes/" +
               e.version.toUtf8() +
               "</sparkle:releaseNotesLink>"
               "<pubDate>Mon, 07 Dec 2026 10:00:00 +0000</pubDate>"
               "<enclosure url=\"https://hushpane.app/files/hushpane-" +
               e.version.toUtf8() + ".tar.gz\" sparkle:version=\"" + e.version.toUtf8() +
               "\" sparkle:shortVersionString=\"" + e.shortVersion.toUtf8() +
               "\" sparkle:minimumSystemVersion=\"15.0\" length=\"1\" "
               "type=\"application/octet-stream\"/>"
               "</item>";
    }
    return xml + "</channel></rss>\n";
}

}  // namespace hushpane::test
