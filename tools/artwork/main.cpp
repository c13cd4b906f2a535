// Draws the whole picture set and writes it as committed PNG files, the
// program's icon file and a contact sheet for review.
#include "catalogue.h"
#include "contact_sheet.h"
#include "font_set.h"
#include "image_files.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

using namespace griffwandler::artwork;

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the Griffwandler picture set."));
    parser.addHelpOption();
    const QCommandLineOption assetsOption(QStringLiteral("assets"),
                                          QStringLiteral("Folder the pictures are written to."),
                                          QStringLiteral("folder"));
    const QCommandLineOption sheetOption(QStringLiteral("sheet"),
                                         QStringLiteral("Contact sheet file to write."),
                                         QStringLiteral("file"));
    const QCommandLineOption fontsOption(
        QStringLiteral("fonts"), QStringLiteral("Root of the system font folders."),
        QStringLiteral("folder"), QStringLiteral("/usr/share/fonts"));
    parser.addOptions({assetsOption, sheetOption, fontsOption});
    parser.process(application);
    if (!parser.isSet(assetsOption)) {
        std::fputs("artwork_generator: --assets is required\n", stderr);
        return 2;
    }

    try {
        const FontSet fonts = FontSet::load(parser.value(fontsOption));
        const QString assets = parser.value(assetsOption);
        const QList<Artwork> artworks = catalogue(fonts);
        QList<QImage> icons;
        for (const Artwork &artwork : artworks) {
            const QImage one = render(artwork, 1);
            const QByteArray png = pngBytes(one);
            writeFile(assets + u'/' + artwork.file + QStringLiteral(".png"), png);
            if (artwork.twin)
                writeFile(assets + u'/' + artwork.file + QStringLiteral("@2x.png"),
                          pngBytes(render(artwork, 2)));
            // What the program embeds is also kept decoded, for a quick start;
            // taken from the PNG so that both hold exactly the same pixels.
            if (artwork.decoded)
                writeFile(assets + u'/' + artwork.file + QStringLiteral(".argb"),
                          rawBytes(QImage::fromData(png, "png")));
            if (artwork.icon)
                icons.append(one);
        }
        writeFile(assets + QStringLiteral("/icon/griffwandler.ico"), icoBytes(icons));
        if (parser.isSet(sheetOption))
            writeFile(parser.value(sheetOption), pngBytes(contactSheet(artworks, fonts)));
        std::printf("artwork_generator: wrote %d pictures\n", int(artworks.size()));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "artwork_generator: %s\n", error.what());
        return 1;
    }
    return 0;
}
