// What the forms show. A notice that wraps never leaves the end of its
// sentence alone on the last line ("ん。"): the label wraps narrower, after a
// clause where it can. A photograph shows as the player shows it: a JPEG that
// is upright only by its EXIF orientation stays on its side, so that the
// preview never hides what the audience will see.

#include "forms/FormLayout.h"
#include "forms/Picture.h"
#include "support/Bytes.h"
#include "support/GuiTest.h"

using namespace FormLayout;

class TestForms : public QObject {
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
        QTest::newRow("the no-sound notice breaks after its comma") << QStringLiteral("音を出す装置が見つからないため、音は鳴りません。") << Font(kGothic, 9, true) << 3855 << QStringLiteral("音は鳴りません。");
        QTest::newRow("a message box takes a word down with the tail") << QStringLiteral("まとめるのを中止しました。zip ファイルは作っていません。") << Font(kMincho, 12, true) << 5415 << QStringLiteral("いません。");
        QTest::newRow("a text that fits keeps the whole width") << QStringLiteral("ディスクが準備されていません。") << Font(kMincho, 12, true) << 5415 << QStringLiteral("ディスクが準備されていません。");
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

    void orientationIsNotApplied()
    {
        // Red on the left, blue on the right, marked "turn a quarter to the right".
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) picture.setPixel(x, y, qRgb(255, 0, 0));
        QBuffer jpeg;
        jpeg.open(QIODevice::WriteOnly);
        QVERIFY(picture.save(&jpeg, "JPG", 95));
        const QByteArray exif = QByteArray("Exif\0\0", 6) + Bytes::Hex("4D4D002A00000008 0001 0112000300000001 00060000 00000000");
        const QByteArray app1 = Bytes::Hex("FFE1") + char((exif.size() + 2) >> 8) + char((exif.size() + 2) & 0xFF) + exif;
        QTemporaryDir dir;
        QVERIFY(Bytes::Write(dir.filePath("sideways.jpg"), jpeg.data().left(2) + app1 + jpeg.data().mid(2)));

        QLabel area;
        area.resize(80, 80);
        QVERIFY(Picture::Show(&area, dir.filePath("sideways.jpg")));
        const QImage shown = area.pixmap().toImage();
        QVERIFY(qRed(shown.pixel(shown.width() / 8, shown.height() / 8)) > 200);
        QVERIFY(qBlue(shown.pixel(shown.width() * 7 / 8, shown.height() / 8)) > 200);
    }
};

PELUMO_GUI_TEST_MAIN(TestForms)
#include "tst_forms.moc"
