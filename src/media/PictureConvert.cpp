#include "media/PictureConvert.h"

#include "core/PictureHeaders.h"
#include "media/Codecs.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <memory>

namespace PictureConvert {

namespace {

using Converted::Refused;

// The extension under which the player shows the file as it is, or empty
// when it must be converted: the same judgement as the show check's.
QString ShownAs(const PictureHeaders::Facts& facts)
{
    using PictureHeaders::Format;
    const QString extension = facts.format == Format::Jpeg ? QStringLiteral("jpg")
        : facts.format == Format::Gif                      ? QStringLiteral("gif")
        : facts.format == Format::Bmp                      ? QStringLiteral("bmp")
                                                           : QString();
    if (extension.isEmpty() || !PictureHeaders::Doubts(QStringLiteral("a.") + extension, facts).isEmpty()) return {};
    return extension;
}

// The size within 1920 x 1440 of the same proportions; never larger.
QSize Fit(const QSize& size)
{
    if (size.width() <= Converted::kMaxWidth && size.height() <= Converted::kMaxHeight) return size;
    return size.scaled(Converted::kMaxWidth, Converted::kMaxHeight, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// The decoded, upright picture as a baseline JPEG in a new hidden file.
Converted::File WriteJpeg(QImage image, const QString& folder, const Converted::Cancel& cancel)
{
    const QSize fitted = Fit(image.size());
    if (fitted != image.size()) image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Colours as an sRGB screen shows them: the player knows no colour profiles.
    if (image.colorSpace().isValid() && image.colorSpace() != QColorSpace(QColorSpace::SRgb))
        image.convertToColorSpace(QColorSpace::SRgb);
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        image = flat;
    }
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QImageWriter writer(&bytes, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(false);
    if (!writer.write(image)) return Refused(BrokenReason());
    if (cancel) return Refused(Converted::CancelledReason());
    auto file = std::make_unique<NewFile>(folder);
    if (!file->Append(bytes.data())) return Refused(Converted::WriteFailedReason());
    return {std::move(file), QStringLiteral("jpg"), {}};
}

using Codecs::Owned;
using Hf = Codecs::Heif;

}  // namespace

Converted::File FromQt(const QString& source, const QString& folder, const Converted::Cancel& cancel)
{
    const PictureHeaders::Facts facts = PictureHeaders::Read(source);
    QImageReader reader(source);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    const QString asIs = ShownAs(facts);
    const bool animated = facts.format == PictureHeaders::Format::Gif && reader.imageCount() > 1;
    if (!asIs.isEmpty() && (animated || (stored.isValid() && Fit(stored) == stored)))
        return Converted::Copy(source, folder, asIs, cancel);

    // Decoded at the size it will have where the format can (a JPEG is then
    // decoded at a half or a quarter); the size is the stored one, before
    // the picture is turned upright.
    if (stored.isValid()) {
        const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
        const QSize fitted = Fit(turned ? stored.transposed() : stored);
        if (fitted != (turned ? stored.transposed() : stored)) reader.setScaledSize(turned ? fitted.transposed() : fitted);
    }
    if (cancel) return Refused(Converted::CancelledReason());
    QImage image = reader.read();
    if (image.isNull()) {
        const bool tooLarge = qint64(stored.width()) * stored.height() * 4 > qint64(QImageReader::allocationLimit()) << 20;
        return Refused(tooLarge ? TooLargeReason(stored.width(), stored.height()) : BrokenReason());
    }
    if (cancel) return Refused(Converted::CancelledReason());
    return WriteJpeg(std::move(image), folder, cancel);
}

bool QtReads(const QString& source)
{
    QImageReader reader(source);
    reader.setDecideFormatFromContent(true);
    return reader.canRead();
}

bool IsHeif(const QByteArray& head)
{
    const Hf* heif = Codecs::Hf();
    return heif && heif->heif_check_filetype(reinterpret_cast<const uint8_t*>(head.constData()), int(head.size())) == heif_filetype_yes_supported;
}

Converted::File FromHeif(const QString& source, const QString& folder, const Converted::Cancel& cancel)
{
    if (!Codecs::Hf()) return Refused(Codecs::MissingReason("libheif"));
    const Hf& heif = *Codecs::Hf();
    const Owned<heif_context, &Hf::heif_context_free> context(heif.heif_context_alloc());
    heif_image_handle* primary = nullptr;
    if (heif.heif_context_read_from_file(context.get(), QFile::encodeName(source).constData(), nullptr).code != heif_error_Ok
        || heif.heif_context_get_primary_image_handle(context.get(), &primary).code != heif_error_Ok)
        return Refused(BrokenReason());
    const Owned<heif_image_handle, &Hf::heif_image_handle_release> handle(primary);
    if (cancel) return Refused(Converted::CancelledReason());

    // libheif turns and crops the picture as its file says while decoding.
    const bool alpha = heif.heif_image_handle_has_alpha_channel(handle.get());
    heif_image* decoded = nullptr;
    if (heif.heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB,
                               alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr)
            .code
        != heif_error_Ok)
        return Refused(BrokenReason());
    const Owned<heif_image, &Hf::heif_image_release> image(decoded);
    int stride = 0;
    const uint8_t* pixels = heif.heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!pixels) return Refused(BrokenReason());
    const QImage view(pixels, heif.heif_image_get_width(image.get(), heif_channel_interleaved),
                      heif.heif_image_get_height(image.get(), heif_channel_interleaved), stride,
                      alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    return WriteJpeg(view, folder, cancel);
}

QString BrokenReason()
{
    return QStringLiteral("画像を読み取れませんでした。ファイルが壊れている可能性があります。"
                          "画像を開けるソフトで開けるかを確認してください。");
}

QString TooLargeReason(int width, int height)
{
    return QStringLiteral("画像が大きすぎて読み込めません（%1 × %2）。小さくしてから取り込んでください。").arg(width).arg(height);
}

}  // namespace PictureConvert
