#pragma once
// The eight event kinds, exactly as EventTable column 0 holds them and the
// kind picker lists them, and the fixed parameter of "エンドレス".

#include <QString>
#include <QStringList>

namespace EventKinds {

inline const QString kText = QStringLiteral("テキスト表示");
inline const QString kPicture = QStringLiteral("グラフィック表示");
inline const QString kWavOnce = QStringLiteral("Wav再生");
inline const QString kWavLoop = QStringLiteral("Wav繰り返し再生");
inline const QString kWavStop = QStringLiteral("Wav停止");
inline const QString kWait = QStringLiteral("ウエイト");
inline const QString kClearText = QStringLiteral("テキスト消去");
inline const QString kEndless = QStringLiteral("エンドレス");

// In the order of the kind picker.
inline const QStringList kAll = {kText, kPicture, kWavOnce, kWavLoop, kWavStop, kWait, kClearText, kEndless};

// The parameter of "エンドレス".
inline const QString kBackToStart = QStringLiteral("（最初に戻る）");

}  // namespace EventKinds
