// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's icon: one icon with a 16x16 and a 32x32 image,
// set on Form1, and the same pixels as the images of the Windows icon file.
#include "appicon.h"
#include "form1.h"

#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QWindow>

class TestAppIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void iconHasTheDrawnSizes();
    void iconImagesAreTheIcoImages_data();
    void iconImagesAreTheIcoImages();
    void windowCarriesTheIcon();
    void shownWindowPassesTheIconOn();
};

namespace
{

bool hasSize(const QIcon &icon, int size)
{
    return icon.availableSizes().contains(QSize(size, size));
}

} // namespace

void TestAppIcon::iconHasTheDrawnSizes()
{
    const QIcon icon = tavrin::appIcon();
    QVERIFY(!icon.isNull());
    for (int size : {16, 32, 64, 128}) {
        QVERIFY2(hasSize(icon, size), qPrintable(QString::number(size)));
        const QPixmap pixmap = icon.pixmap(QSize(size, size));
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.size(), QSize(size, size));
    }
}

void TestAppIcon::iconImagesAreTheIcoImages_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("32x32") << 32;
    QTest::newRow("16x16") << 16;
}

// The window icon (compiled in from the XPMs) and the executable's icon (tavrin.ico) show the
// same pixels: both are built from resources/icon/tavrin-*.xpm.
void TestAppIcon::iconImagesAreTheIcoImages()
{
    QFETCH(int, size);
    QImageReader reader(QStringLiteral(TAVRIN_ICO_FILE));
    if (!reader.canRead())
        QSKIP("Qt's ICO image plugin is not installed");
    QCOMPARE(reader.imageCount(), 2);
    QImage fromIco;
    for (int i = 0; i < reader.imageCount() && fromIco.isNull(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        QImage image = reader.read();
        if (image.size() == QSize(size, size))
            fromIco = image;
    }
    QVERIFY(!fromIco.isNull());
    const QImage fromResource = tavrin::appIcon()
                                    .pixmap(QSize(size, size))
                                    .toImage()
                                    .convertToFormat(QImage::Format_ARGB32);
    fromIco = fromIco.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb a = fromResource.pixel(x, y);
            const QRgb b = fromIco.pixel(x, y);
            const bool same = qAlpha(a) == 0 ? qAlpha(b) == 0 : a == b;
            QVERIFY2(same, qPrintable(QStringLiteral("pixel %1,%2: %3 in the resource, %4 in "
                                                     "the .ico")
                                          .arg(x)
                                          .arg(y)
                                          .arg(a, 8, 16, QLatin1Char('0'))
                                          .arg(b, 8, 16, QLatin1Char('0'))));
        }
    }
}

void TestAppIcon::windowCarriesTheIcon()
{
    Form1 window;
    QVERIFY(window.testAttribute(Qt::WA_SetWindowIcon));
    const QIcon icon = window.windowIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(hasSize(icon, 16));
    QVERIFY(hasSize(icon, 32));
    QCOMPARE(icon.pixmap(QSize(16, 16)).size(), QSize(16, 16));
    QCOMPARE(icon.pixmap(QSize(32, 32)).size(), QSize(32, 32));
}

void TestAppIcon::shownWindowPassesTheIconOn()
{
    Form1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWindow *handle = window.windowHandle();
    QVERIFY(handle);
    QVERIFY(hasSize(handle->icon(), 16));
    QVERIFY(hasSize(handle->icon(), 32));
}

QTEST_MAIN(TestAppIcon)
#include "tst_appicon.moc"
