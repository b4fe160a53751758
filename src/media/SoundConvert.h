#pragma once
// Sounds brought in for the player, which plays PCM wav of 8 or 16 bits,
// mono or stereo. Such a wav is copied as it is; any other sound that
// FFmpeg decodes becomes a 16-bit PCM wav at 44.1 kHz, mono when the source
// is, stereo otherwise (more channels are mixed down).

#include "media/Converted.h"

#include <QString>

namespace SoundConvert {

// Whether `source` is a wav the player plays as it is.
bool PlayerPlays(const QString& source);

// What FFmpeg made of a source: nothing it reads, a sound, or a video.
enum class Seen {
    Nothing,
    Sound,
    Video
};

// Converts `source`, telling in `seen` what it is. A video (a file with a
// moving picture, sound or not) is refused, as is anything FFmpeg cannot
// read; only the sound of a Seen::Sound source is ever written.
Converted::File FromFfmpeg(const QString& source, const QString& folder, const Converted::Cancel& cancel, Seen& seen);

// "動画は取り込めません。"
QString VideoReason();
// Why a sound is refused: it does not decode, or its wav would pass 4 GB.
QString BrokenReason();
QString TooLongReason();

}  // namespace SoundConvert
