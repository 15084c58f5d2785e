#include "off_window_thread.h"

#include <QEventLoop>
#include <QMetaObject>
#include <thread>

namespace lmn::maker {

void RunOffWindowThread(const std::function<void()>& work) {
    QEventLoop waiting;
    // The quit is queued to the window thread, so it takes effect even when the work ends before
    // the loop has started.
    std::thread worker([&] {
        work();
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
}

ReplyFetchFunction OffWindowThread(ReplyFetchFunction fetch) {
    return [fetch = std::move(fetch)](const std::string& url) {
        FetchReply reply;
        RunOffWindowThread([&] { reply = fetch(url); });
        return reply;
    };
}

PublishServices OffWindowThread(PublishServices services) {
    services.fetch = OffWindowThread(std::move(services.fetch));
    services.upload = [upload = std::move(services.upload)](const FtpAccount& account,
                                                            const std::string& localPath,
                                                            const std::string& remotePath) {
        bool uploaded = false;
        RunOffWindowThread([&] { uploaded = upload(account, localPath, remotePath); });
        return uploaded;
    };
    return services;
}

}  // namespace lmn::maker
