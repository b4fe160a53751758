#include "forms/FormLayout.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextLayout>
#include <QWidget>

#include <limits>

namespace FormLayout {

QFont Font(const QString& face, double points, bool bold)
{
    QFont f(face);
    f.setPointSizeF(points);
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(kGothic, QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(kMincho, QStringLiteral("IPAPMincho"));
}

void SetClientArea(QWidget* window, int widthTwips, int heightTwips)
{
    window->setFixedSize(Px(widthTwips), Px(heightTwips));
}

void PlainLabel(QLabel* label)
{
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
}

void Framed(QLabel* label)
{
    label->setFrameShape(QFrame::Box);
    label->setFrameShadow(QFrame::Plain);
    label->setLineWidth(1);
}

void Background(QWidget* control, const QColor& color)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, color);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

void NoLengthLimit(QLineEdit* box)
{
    box->setMaxLength(std::numeric_limits<int>::max());
}

void Place(QWidget* control, int left, int top, int width, int height)
{
    control->setGeometry(Twips(left, top, width, height));
}

QPushButton* AddButton(QWidget* form, const char* name, const QString& caption,
                       const QRect& twips, const QFont& font, const QString& toolTip)
{
    auto* button = Add<QPushButton>(form, name, twips, font);
    button->setText(caption);
    button->setToolTip(toolTip);
    return button;
}

QLabel* AddLabel(QWidget* form, const char* name, const QString& caption,
                 const QRect& twips, const QFont& font)
{
    auto* label = Add<QLabel>(form, name, twips, font);
    PlainLabel(label);
    label->setText(caption);
    return label;
}

namespace {

bool EndsClause(const QString& line)
{
    return line.endsWith(QChar(0x3001)) || line.endsWith(QChar(0x3002));
}

// Whether the last line of a paragraph wrapped into `lines` stands alone: one
// character of a word, or the last few of a sentence that no clause begins.
bool LoneTail(const QStringList& lines)
{
    constexpr int kTail = 4;
    const qsizetype last = lines.size() - 1;
    if (last < 1) return false;
    const QString& tail = lines[last];
    const bool sentenceEnd = tail.endsWith(QChar(0x3002)) || tail.endsWith(QChar(0xFF1F));
    return tail.size() == 1 || (sentenceEnd && tail.size() <= kTail && !EndsClause(lines[last - 1]));
}

struct Wrapping {
    bool loneTail = false;  // some paragraph ends in a tail alone
    bool atClauses = true;  // every line that wraps ends after "、" or "。"
};

Wrapping WrapAt(const QLabel* label, int width)
{
    Wrapping wrapping;
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    const QString text = QString(label->text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, label->font(), const_cast<QLabel*>(label));
        layout.setTextOption(option);
        layout.beginLayout();
        QStringList lines;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        wrapping.loneTail = wrapping.loneTail || LoneTail(lines);
        for (qsizetype i = 0; i + 1 < lines.size(); ++i)
            if (!EndsClause(lines[i])) wrapping.atClauses = false;
    }
    return wrapping;
}

// The label wraps at full width unless a tail would stand alone; then at the
// widest width, down to 7/10, whose lines all end after clauses, or else at
// the widest, down to 6/10, without a tail alone.
void NarrowForTails(QLabel* label)
{
    const QMargins margins = label->contentsMargins();
    const int full = label->contentsRect().width() + margins.right();
    int plain = 0;
    int clauses = 0;
    if (WrapAt(label, full).loneTail) {
        for (int w = full - 1; w >= full * 6 / 10 && !clauses; --w) {
            const Wrapping wrapping = WrapAt(label, w);
            if (wrapping.loneTail) continue;
            if (!plain) plain = w;
            if (wrapping.atClauses && w >= full * 7 / 10) clauses = w;
            if (plain && w < full * 7 / 10) break;
        }
    }
    const int width = clauses ? clauses : plain ? plain
                                                : full;
    label->setContentsMargins(margins.left(), margins.top(), full - width, margins.bottom());
}

class TailGuard : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) NarrowForTails(static_cast<QLabel*>(watched));
        return false;
    }
};

}  // namespace

void SetWrappedText(QLabel* label, const QString& text)
{
    label->setText(text);
    if (!label->findChild<TailGuard*>(QString(), Qt::FindDirectChildrenOnly)) label->installEventFilter(new TailGuard(label));
    NarrowForTails(label);
}

}  // namespace FormLayout
