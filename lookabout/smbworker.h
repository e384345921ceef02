#pragma once
// The SMB source on a thread of its own, so that a slow or silent server
// never holds the dialog. libsmbclient is not thread-safe: this one thread
// makes every call into it, in the order asked. Results come back as queued
// signals, tagged with the number of the request.
#include "smbsource.h"

#include <QObject>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <memory>

Q_DECLARE_METATYPE(lookabout::Listing)

namespace lookabout {

class SmbWorker : public QObject {
    Q_OBJECT

public:
    explicit SmbWorker(int timeoutMs, QObject* parent = nullptr);
    // Drops the requests not yet started and waits for the running one.
    ~SmbWorker() override;

    int computers();
    int shares(const QString& host);
    int folders(const QString& host, const QString& share, const QStringList& path);
    int makeFolder(const QString& host, const QString& share, const QStringList& path);
    void setCredentials(const QString& host, const QString& user, const QString& password);

signals:
    void finished(int request, const lookabout::Listing& result);

private:
    template <class F>
    int post(F job);

    int timeoutMs_;
    int next_ = 0;
    std::atomic<bool> abort_{false};
    QThread thread_;
    QObject* context_; // lives on thread_
    std::unique_ptr<SmbSource> smb_; // used on thread_ only
};

} // namespace lookabout
