// A notice that wraps never leaves the end of its sentence alone on the last
// line ("ん。"): the label wraps narrower, after a clause where it can.

#include "forms/FormLayout.h"
#include "support/GuiTest.h"

using namespace FormLayout;

class TestWrappedText : public QObject {
    Q_OBJECT

    // The last line of `label` as it wraps its text.
    static QString LastLine(const QLabel& label)
    {
        QTextLayout layout(label.text(), label.font(), const_cast<QLabel*>(&label));
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QString last;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(label.contentsRect().width());
            last = label.text().mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
        return last;
    }

private slots:
    void lastLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QFont>("font");
        QTest::addColumn<int>("widthTwips");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("the no-sound notice breaks after its comma")
            << QStringLiteral("音を出す装置が見つからないため、音は鳴りません。") << Font(kGothic, 9, true) << 3855
            << QStringLiteral("音は鳴りません。");
        QTest::newRow("a message box takes a word down with the tail")
            << QStringLiteral("まとめるのを中止しました。zip ファイルは作っていません。") << Font(kMincho, 12, true) << 5415
            << QStringLiteral("いません。");
        QTest::newRow("a text that fits keeps the whole width")
            << QStringLiteral("ディスクが準備されていません。") << Font(kMincho, 12, true) << 5415
            << QStringLiteral("ディスクが準備されていません。");
    }
    void lastLine()
    {
        QFETCH(QString, text);
        QFETCH(QFont, font);
        QFETCH(int, widthTwips);
        QFETCH(QString, lastLine);
        QLabel label;
        label.setFont(font);
        label.setWordWrap(true);
        label.resize(Px(widthTwips) / 2, 100);
        SetWrappedText(&label, text);
        label.show();
        label.resize(Px(widthTwips), 100);
        QCOMPARE(LastLine(label), lastLine);
    }
};

PELUMO_GUI_TEST_MAIN(TestWrappedText)
#include "tst_wrapped_text.moc"
