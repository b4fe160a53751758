#pragma once
// The rehearsal's pictures, decoded at the size they are shown: the next ones
// on worker threads while the current one shows, so that pictures a short
// wait apart change without a black frame.

#include <QFuture>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <QThreadPool>

class PicturesAhead {
public:
    // Pictures decoded at once on the workers.
    static constexpr int kWorkers = 2;

    PicturesAhead();
    ~PicturesAhead();  // waits for the decodes that run
    PicturesAhead(const PicturesAhead&) = delete;
    PicturesAhead& operator=(const PicturesAhead&) = delete;

    // Starts decoding the picture file at `path` to fit `area` on a worker,
    // unless it is decoded or being decoded already.
    void Prepare(const QString& path, const QSize& area);
    // The picture file at `path` fitted to `area`: the one prepared, waited
    // for while it is still being decoded, or else decoded now. A null image
    // when it cannot be decoded.
    QImage Take(const QString& path, const QSize& area);
    // Drops what was prepared and not taken (the play ended).
    void Forget();

private:
    static QString Key(const QString& path, const QSize& area);

    QThreadPool workers_;
    QHash<QString, QFuture<QImage>> ahead_;
    QString lastKey_;  // the picture taken last, kept: "エンドレス" may show it again
    QImage last_;
};
