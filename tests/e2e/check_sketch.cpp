// Compares a screenshot of the sketch editor and its document dump with the
// clicks a test made: one object of the creator per click, centred on it,
// and on screen a filled shape with its outline exactly where the document
// says the object lies.
//
// usage: e2e_check_sketch shot dump.txt [creator x,y [x,y ...]]
//        e2e_check_sketch shot dump.txt --lines creator
// shot: a PNG, or an X window dump (.xwd) as the X server saw the window.
// Without clicks it checks a whole drawing: every object of a creator with
// a fill shows that fill at its centre. With --lines, every line of the
// creator shows its pen halfway between its ends.

#include <QColor>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace {

struct Object {
    QString Creator;
    QRect Box; // left, top, right, bottom inclusive, window pixels
};

struct Style {
    QColor Pen;
    QColor Brush; // invalid without a fill
};

int Failures = 0;

[[gnu::format(printf, 1, 2)]] void Fail(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::fputs("check: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputc('\n', stderr);
    va_end(args);
    ++Failures;
}

const char* Name(QColor c) {
    static QByteArray text;
    text = c.name().toLatin1();
    return text.constData();
}

bool Near(QColor a, QColor b, int tol) {
    return std::abs(a.red() - b.red()) <= tol && std::abs(a.green() - b.green()) <= tol &&
           std::abs(a.blue() - b.blue()) <= tol;
}

// A window dump in the X server's own format: a big-endian header, the
// window name, the colour table, then the pixels. Only the true-colour
// layout of 32 bits per pixel that Xvfb writes at depth 24 is read.
QImage LoadXwd(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QDataStream in(&f);
    in.setByteOrder(QDataStream::BigEndian);
    quint32 h[25];
    for (quint32& v : h)
        in >> v;
    const quint32 headerSize = h[0], format = h[2], width = h[4], height = h[5], byteOrder = h[7],
                  bitsPerPixel = h[11], bytesPerLine = h[12], ncolors = h[19];
    if (in.status() != QDataStream::Ok || format != 2 || bitsPerPixel != 32 || width == 0 ||
        height == 0 || width > 10000 || height > 10000 || bytesPerLine < width * 4 ||
        headerSize < 100)
        return {};
    if (!f.seek(qint64(headerSize) + qint64(ncolors) * 12)) return {};
    const QByteArray data = f.read(qint64(bytesPerLine) * height);
    if (data.size() != qint64(bytesPerLine) * height) return {};
    QImage img(int(width), int(height), QImage::Format_RGB32);
    for (quint32 y = 0; y < height; ++y)
        for (quint32 x = 0; x < width; ++x) {
            const auto* p =
                reinterpret_cast<const uchar*>(data.constData()) + y * bytesPerLine + x * 4;
            const quint32 v = byteOrder == 0 ? p[0] | p[1] << 8 | p[2] << 16 | quint32(p[3]) << 24
                                             : quint32(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
            img.setPixel(int(x), int(y), 0xFF000000u | (v & 0xFFFFFFu));
        }
    return img;
}

// Walks from p in steps of d while the pixels keep the fill colour; returns
// the first pixel that does not (or p itself after 400 steps).
QPoint EdgeFrom(const QImage& img, QPoint p, QPoint d, QColor fill) {
    for (int i = 0; i < 400 && img.rect().contains(p + d); ++i) {
        p += d;
        if (!Near(img.pixelColor(p), fill, 12)) return p;
    }
    return p;
}

} // namespace

int main(int argc, char** argv) {
    const bool lines = argc == 5 && std::strcmp(argv[3], "--lines") == 0;
    if ((argc == 4 || argc < 3) && !lines) {
        std::fprintf(stderr, "usage: %s shot dump.txt [creator x,y [x,y ...] | --lines creator]\n",
                     argv[0]);
        return 2;
    }
    const QString shotPath = QString::fromLocal8Bit(argv[1]);
    const QImage shot =
        shotPath.endsWith(QLatin1String(".xwd")) ? LoadXwd(shotPath) : QImage(shotPath);
    if (shot.isNull()) {
        Fail("no screenshot at %s", argv[1]);
        return 1;
    }
    QFile dumpFile(QString::fromLocal8Bit(argv[2]));
    if (!dumpFile.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Fail("no dump at %s", argv[2]);
        return 1;
    }
    const QString creator = argc > 3 ? QString::fromLocal8Bit(argv[lines ? 4 : 3]) : QString();
    std::vector<QPoint> clicks;
    for (int i = 4; i < argc && !lines; ++i) {
        const QStringList xy = QString::fromLocal8Bit(argv[i]).split(',');
        clicks.emplace_back(xy.value(0).toInt(), xy.value(1).toInt());
    }

    // The dump: "creator <name> pen=#rrggbb brush=#rrggbb|none", "objects <n>",
    // "object creator=<name> ... window=l,t,r,b".
    std::map<QString, Style> styles;
    int count = -1;
    std::vector<Object> objects;
    static const QRegularExpression styleRe(
        QStringLiteral("^creator (\\S+) pen=(#\\w+) brush=(#\\w+|none)"));
    static const QRegularExpression objectRe(
        QStringLiteral("^object creator=(\\S+) .* window=(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+)"));
    QTextStream in(&dumpFile);
    for (QString line; in.readLineInto(&line);) {
        if (auto m = styleRe.match(line); m.hasMatch()) {
            styles[m.captured(1)] = {QColor(m.captured(2)), QColor(m.captured(3))};
        } else if (line.startsWith(QLatin1String("objects "))) {
            count = line.mid(8).toInt();
        } else if (auto m = objectRe.match(line); m.hasMatch()) {
            objects.push_back(
                {m.captured(1), QRect(QPoint(m.captured(2).toInt(), m.captured(3).toInt()),
                                      QPoint(m.captured(4).toInt(), m.captured(5).toInt()))});
        }
    }
    if (count < 0 || objects.size() != size_t(count))
        Fail("the dump lists %zu of %d objects", objects.size(), count);

    if (lines) {
        // The box of a line spans its ends, so its centre lies on the line.
        const QColor pen = styles[creator].Pen;
        int seen = 0;
        for (const Object& o : objects) {
            if (o.Creator != creator) continue;
            ++seen;
            const QPoint c = o.Box.center();
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx)
                    found = shot.rect().contains(c + QPoint(dx, dy)) &&
                            Near(shot.pixelColor(c + QPoint(dx, dy)), pen, 60);
            if (!found)
                Fail("the %s through (%d,%d) shows %s there, not its pen %s", qPrintable(creator), c.x(),
                     c.y(), Name(shot.pixelColor(c)), qPrintable(pen.name()));
        }
        if (!pen.isValid() || seen == 0) Fail("no %s with a pen in the dump", qPrintable(creator));
        return Failures ? 1 : 0;
    }

    if (clicks.empty()) {
        int filled = 0;
        for (const Object& o : objects) {
            auto it = styles.find(o.Creator);
            const QPoint c = o.Box.center();
            if (it == styles.end() || !it->second.Brush.isValid() || !shot.rect().contains(c))
                continue;
            ++filled;
            if (!Near(shot.pixelColor(c), it->second.Brush, 12))
                Fail("the %s at (%d,%d) shows %s, not its fill %s", qPrintable(o.Creator), c.x(),
                     c.y(), Name(shot.pixelColor(c)), qPrintable(it->second.Brush.name()));
        }
        if (filled == 0) Fail("no filled object in view");
        return Failures ? 1 : 0;
    }

    const Style style = styles[creator];
    const QColor pen = style.Pen, brush = style.Brush;
    if (!pen.isValid() || !brush.isValid()) Fail("no style of %s in the dump", qPrintable(creator));
    if (count != static_cast<int>(clicks.size()))
        Fail("%zu clicks, but the document holds %d objects", clicks.size(), count);
    if (Failures) return 1;

    std::vector<bool> used(objects.size());
    for (QPoint c : clicks) {
        int hit = -1;
        for (size_t i = 0; i < objects.size(); ++i) {
            const QPoint centre = objects[i].Box.center();
            if (!used[i] && objects[i].Creator == creator && (centre - c).manhattanLength() <= 3)
                hit = int(i);
        }
        if (hit < 0) {
            Fail("no %s centred on the click at (%d,%d)", qPrintable(creator), c.x(), c.y());
            continue;
        }
        used[hit] = true;
        const QRect box = objects[hit].Box;
        if (!Near(shot.pixelColor(c), brush, 12)) {
            Fail("pixel at (%d,%d) is %s, not the fill %s", c.x(), c.y(), Name(shot.pixelColor(c)),
                 qPrintable(brush.name()));
            continue;
        }
        // The fill ends at the outline, and the outline lies on the box.
        const struct {
            QPoint Dir;
            int Expected;
        } sides[] = {{{-1, 0}, box.left()},
                     {{1, 0}, box.right()},
                     {{0, -1}, box.top()},
                     {{0, 1}, box.bottom()}};
        for (const auto& side : sides) {
            const QPoint edge = EdgeFrom(shot, c, side.Dir, brush);
            const int at = side.Dir.x() ? edge.x() : edge.y();
            if (std::abs(at - side.Expected) > 2)
                Fail("the shape at (%d,%d) ends at %d where its box ends at %d", c.x(), c.y(), at,
                     side.Expected);
            else if (!Near(shot.pixelColor(edge), pen, 60))
                Fail("the outline pixel at (%d,%d) is %s, not the pen %s", edge.x(), edge.y(),
                     Name(shot.pixelColor(edge)), qPrintable(pen.name()));
        }
    }
    return Failures ? 1 : 0;
}
