#include "app/PicturesAhead.h"

#include "forms/Picture.h"

#include <QPromise>

#include <memory>

PicturesAhead::PicturesAhead()
{
    workers_.setMaxThreadCount(kWorkers);
}

PicturesAhead::~PicturesAhead()
{
    workers_.waitForDone();
}

void PicturesAhead::Prepare(const QString& path, const QSize& area)
{
    const QString key = Key(path, area);
    if (key == lastKey_ || ahead_.contains(key)) return;
    // The pool takes a copyable task; the promise is not.
    auto promise = std::make_shared<QPromise<QImage>>();
    ahead_.insert(key, promise->future());
    promise->start();
    workers_.start([promise, path, area] {
        promise->addResult(Picture::DecodeFitted(path, area));
        promise->finish();
    });
}

QImage PicturesAhead::Take(const QString& path, const QSize& area)
{
    const QString key = Key(path, area);
    if (key != lastKey_) {
        const auto prepared = ahead_.constFind(key);
        last_ = prepared != ahead_.cend() ? prepared->result() : Picture::DecodeFitted(path, area);
        ahead_.remove(key);
        lastKey_ = key;
    }
    return last_;
}

void PicturesAhead::Forget()
{
    ahead_.clear();
}

QString PicturesAhead::Key(const QString& path, const QSize& area)
{
    return QStringLiteral("%1x%2 %3").arg(area.width()).arg(area.height()).arg(path);
}
