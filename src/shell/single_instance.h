#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace orvalen::shell {

// One running copy per user and executable file name: the first copy holds a lock named
// after its file name and listens on a local socket beside it; a second copy asks it to
// raise its window and ends. A copy under another file name is another application.
class SingleInstance : public QObject {
public:
    // folder: where the lock and the socket live; the user's runtime folder by default.
    explicit SingleInstance(QString executableFileName, QString folder = {});
    ~SingleInstance() override;

    // True for the first copy (it now holds the lock and listens); false when another copy
    // runs, which has then been asked to come to the top.
    bool claim();

    // Called in the first copy each time a later start asks it to come forward.
    void onRaiseRequest(std::function<void()> handler) { raise_ = std::move(handler); }

    QString lockPath() const;
    QString socketPath() const;

private:
    bool askFirstCopyToRaise() const;
    void listen();

    QString name_;
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
    std::function<void()> raise_;
};

} // namespace orvalen::shell
