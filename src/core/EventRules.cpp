#include "core/EventRules.h"

#include "core/EventKinds.h"

namespace EventRules {

namespace {

const QString kIgnored = QStringLiteral("「ペルモローダー」では、この項目は無視されます。");

const QString& Kind(const Module1& m, int row) { return m.EventTable[row][0]; }

}  // namespace

bool HoldsEvent(const Module1& m, int row)
{
    return row >= 0 && row < Module1::kRows && !Kind(m, row).isEmpty();
}

bool CanMoveUp(const Module1& m) { return m.EventIndex > 1; }

bool CanMoveDown(const Module1& m)
{
    return HoldsEvent(m, m.EventIndex) && m.EventIndex < kLastCurrentRow;
}

bool CanMoveUp10(const Module1& m) { return m.EventIndex > 10; }

bool CanMoveDown10(const Module1& m)
{
    return m.EventIndex < 990 && HoldsEvent(m, m.EventIndex + 10);
}

Forward PlayForward(const Module1& m)
{
    Forward f;
    if (!HoldsEvent(m, m.EventIndex) || m.EventIndex >= kLastCurrentRow) return f;
    f.moves = true;
    f.from = m.EventIndex + 1;
    int row = f.from;
    while (row < kLastCurrentRow && HoldsEvent(m, row) && Kind(m, row) != EventKinds::kText) ++row;
    f.to = row;
    return f;
}

PlayStep StepOf(const Module1& m, int row)
{
    if (!HoldsEvent(m, row)) return PlayStep::End;
    const QString& k = Kind(m, row);
    if (k == EventKinds::kWait) return PlayStep::Wait;
    if (k == EventKinds::kText) return PlayStep::Pause;
    if (k == EventKinds::kEndless) return PlayStep::BackToStart;
    return PlayStep::Next;
}

int WaitMillisOf(const Module1& m, int row)
{
    bool ok = false;
    const int millis = m.EventTable[row][1].trimmed().toInt(&ok);
    return ok && millis > 0 ? millis : 0;
}

bool SpinsForever(const Module1& m)
{
    for (int row = 1; row < Module1::kRows && HoldsEvent(m, row); ++row) {
        const PlayStep step = StepOf(m, row);
        if (step == PlayStep::Wait || step == PlayStep::Pause) return false;
        if (step == PlayStep::BackToStart) return true;
    }
    return false;
}

QString SpinsForeverMessage()
{
    return QStringLiteral("この項目は「エンドレス」までにウエイトもテキストもないため、ローダーでは止まらずに回り続けます。"
                          "ウエイトを入れてください。");
}

QString SkippedRowsMessage(const QStringList& rows)
{
    return QStringLiteral("再生中、ファイルがないか読み込めないため、次の行を飛ばしました。") + QStringLiteral("\r\n")
         + rows.join(QStringLiteral("、"));
}

PreviewAction PreviewOf(const Module1& m, int row)
{
    const QString& k = Kind(m, row);
    if (k == EventKinds::kText || k == EventKinds::kWait) return PreviewAction::ShowText;
    if (k == EventKinds::kPicture) return PreviewAction::ShowPicture;
    if (k == EventKinds::kWavOnce) return PreviewAction::PlayOnce;
    if (k == EventKinds::kWavLoop) return PreviewAction::PlayLoop;
    if (k == EventKinds::kWavStop) return PreviewAction::StopSound;
    if (k == EventKinds::kClearText) return PreviewAction::ClearText;
    return PreviewAction::None;
}

QString MissingPictureNotice()
{
    return QStringLiteral("指定のグラフィックファイルがありません。消されたか、名前が変更された可能性があります。") + kIgnored;
}

QString MissingWavNotice()
{
    return QStringLiteral("指定のWavファイルがありません。消されたか、名前が変更された可能性があります。") + kIgnored;
}

QString UndecodablePictureNotice()
{
    return QStringLiteral("指定のグラフィックファイルを読み込めません。壊れているか、gif,jpg,bmp 以外の形式の可能性があります。")
         + kIgnored;
}

QString BadEventFileNameMessage(const QString& name)
{
    return QStringLiteral("この項目のイベントファイル名（%1）が正しくありません。").arg(name);
}

QString MissingEventFileMessage()
{
    return QStringLiteral(
        "指定されたリスト項目のイベントデータが存在しません。ファイルが消されているか、壊れている可能性があります。");
}

QString ForcedEndMessage()
{
    return QStringLiteral("「ペルモ」を強制終了します。");
}

}  // namespace EventRules
