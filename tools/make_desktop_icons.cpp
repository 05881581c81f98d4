// Writes the desktop's fixed-size icons (data/desktop/hicolor/NxN/{apps,mimetypes}/*.png) from the
// scalable drawings beside them, for the panels, menus and file managers that do not draw SVG.
//     make_desktop_icons DATA_FOLDER

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_desktop_icons DATA_FOLDER\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    const fs::path desktop = fs::path(argv[1]) / "desktop";
    struct Icon {
        const char* name;
        const char* context;
    };
    const Icon icons[] = {{"halvern", "apps"}, {"application-x-halvern-design", "mimetypes"}};
    for (const Icon& icon : icons) {
        const fs::path svg = desktop / (std::string(icon.name) + ".svg");
        QSvgRenderer drawing(QString::fromStdString(svg.string()));
        if (!drawing.isValid()) {
            std::fprintf(stderr, "make_desktop_icons: %s is not a drawing Qt can read\n", svg.c_str());
            return 1;
        }
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
            {
                QPainter painter(&picture);
                painter.setRenderHint(QPainter::Antialiasing, true);
                drawing.render(&painter);
            }
            const std::string side = std::to_string(size);
            const fs::path folder = desktop / "hicolor" / (side + "x" + side) / icon.context;
            fs::create_directories(folder);
            const fs::path png = folder / (std::string(icon.name) + ".png");
            if (!picture.save(QString::fromStdString(png.string()), "PNG")) {
                std::fprintf(stderr, "make_desktop_icons: %s cannot be written\n", png.c_str());
                return 1;
            }
        }
    }
    return 0;
}
