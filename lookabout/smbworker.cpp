#include "smbworker.h"

namespace lookabout {

namespace {

std::vector<std::string> toStd(const QStringList& l)
{
    std::vector<std::string> v;
    for (const auto& s : l)
        v.push_back(s.toStdString());
    return v;
}

} // namespace

SmbWorker::SmbWorker(int timeoutMs, QObject* parent) : QObject(parent), timeoutMs_(timeoutMs), context_(new QObject)
{
    qRegisterMetaType<lookabout::Listing>();
    context_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, context_, &QObject::deleteLater);
    thread_.start();
}

SmbWorker::~SmbWorker()
{
    abort_ = true;
    // The library is torn down on the thread that used it, after the running request.
    QMetaObject::invokeMethod(context_, [this] { smb_.reset(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

template <class F>
int SmbWorker::post(F job)
{
    const int id = ++next_;
    QMetaObject::invokeMethod(
        context_,
        [this, id, job] {
            if (abort_)
                return;
            if (!smb_)
                smb_ = std::make_unique<SmbSource>(timeoutMs_);
            Listing result = job(*smb_);
            if (!abort_)
                emit finished(id, result);
        },
        Qt::QueuedConnection);
    return id;
}

int SmbWorker::computers()
{
    return post([](SmbSource& smb) { return smb.computers(); });
}

int SmbWorker::shares(const QString& host)
{
    return post([h = host.toStdString()](SmbSource& smb) { return smb.shares(h); });
}

int SmbWorker::folders(const QString& host, const QString& share, const QStringList& path)
{
    return post([h = host.toStdString(), s = share.toStdString(), p = toStd(path)](SmbSource& smb) {
        return smb.folders(h, s, p);
    });
}

int SmbWorker::makeFolder(const QString& host, const QString& share, const QStringList& path)
{
    return post([h = host.toStdString(), s = share.toStdString(), p = toStd(path)](SmbSource& smb) {
        Listing l;
        l.error = smb.makeFolder(h, s, p);
        return l;
    });
}

void SmbWorker::setCredentials(const QString& host, const QString& user, const QString& password)
{
    post([h = host.toStdString(), u = user.toStdString(), p = password.toStdString()](SmbSource& smb) {
        smb.setCredentials(h, u, p);
        return Listing{};
    });
}

} // namespace lookabout
