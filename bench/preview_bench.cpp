// Map drawing benchmark: a generated map of 100,000 polygons (20 vertices each, 2,000,000 in
// all) in 8 layers and colours, and 20,000 labelled points, drawn into a 1920x1080 picture by
// the map window's painter: the first frame (paths built), a redraw, a pan, a zoom in and a
// zoom out. The baseline, in the same run, draws the same polygons as plain QPainterPaths with
// one brush (QPainter::drawPath, antialiased, same transform). Times are processor time of this
// process, which other programs on the machine do not inflate.
//
//   preview_bench [polygons] [points]
#include <sys/resource.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>

#include "gui/map_painter.h"

using namespace tavrolin;

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

// Milliseconds of processor time per run, the best of `runs`.
double bestMs(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double start = cpuSeconds();
        work();
        best = std::min(best, (cpuSeconds() - start) * 1000);
    }
    return best;
}

preview::StyledMap generate(int polygons, int points) {
    std::mt19937 random(18);
    std::uniform_real_distribution<double> unit(0, 1);
    preview::ShapeSet set;
    set.kind = store::ObjectKind::Polygon;
    std::vector<preview::MapObject> objects;
    // Polygons on a 20 km square: blobs of 20 vertices, 10 to 60 m across.
    const int side = static_cast<int>(std::ceil(std::sqrt(polygons)));
    const double pitch = 20000.0 / side;
    static const std::uint32_t kColours[] = {0xFFC88C, 0xB4F0B4, 0xC8C8FF, 0x96E6FF,
                                             0xC0FFFF, 0xB0FFE0, 0x60FFFF, 0x40D0D0};
    for (int i = 0; i < polygons; ++i) {
        preview::Shape shape;
        shape.kind = store::ObjectKind::Polygon;
        shape.partStarts.push_back(0);
        const double cx = (i % side + 0.5) * pitch;
        const double cy = (i / side + 0.5) * pitch;
        const double radius = pitch * (0.2 + 0.3 * unit(random));
        for (int v = 0; v < 20; ++v) {
            const double angle = v * 2 * 3.14159265358979 / 19;
            const double r = radius * (0.8 + 0.2 * unit(random));
            const preview::MapPoint p{cx + r * std::cos(angle), cy + r * std::sin(angle)};
            shape.points.push_back(p);
            shape.bounds.add(p);
        }
        set.bounds.merge(shape.bounds);
        set.shapes.push_back(std::move(shape));
        preview::MapObject object;
        object.style.color = kColours[i % 8];
        object.style.layer = 1 + i % 8;
        object.style.borderColor = 0x808080;
        object.style.borderWidth = i % 3 == 0 ? 1 : 0;
        objects.push_back(std::move(object));
    }
    for (int i = 0; i < points; ++i) {
        preview::Shape shape;
        shape.kind = store::ObjectKind::Point;
        shape.partStarts.push_back(0);
        const preview::MapPoint p{unit(random) * 20000, unit(random) * 20000};
        shape.points.push_back(p);
        shape.bounds.add(p);
        set.shapes.push_back(std::move(shape));
        preview::MapObject object;
        object.style.color = 0x0000C0;
        object.style.mode = 'T';
        object.style.fontSize = 8;
        object.style.haloColor = 0xFFFFFF;
        object.label = "Point " + std::to_string(i);
        objects.push_back(std::move(object));
    }
    return preview::pairShapes(std::move(set), std::move(objects));
}

}  // namespace

int main(int argc, char** argv) {
    const int polygons = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int points = argc > 2 ? std::atoi(argv[2]) : 20000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const preview::StyledMap map = generate(polygons, points);
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    preview::MapView view(map.geometry.bounds, map.geographic);
    view.resize(image.width(), image.height());
    view.fit();
    MapPainter painter(map);
    auto frame = [&] {
        QPainter p(&image);
        painter.paint(p, view, true);
        MapPainter::paintScaleBar(p, view);
    };

    const double first = bestMs(1, frame);
    const double redraw = bestMs(5, frame);
    const double pan = bestMs(5, [&] {
        view.panBy(37, 21);
        frame();
    });
    view.fit();
    const double zoomIn = bestMs(1, [&] {
        view.zoomAt({960, 540}, 8);
        frame();
    });
    const double zoomedRedraw = bestMs(5, frame);
    view.fit();
    const double zoomOut = bestMs(3, frame);

    // Baseline: the same polygons as plain paths, one brush, the same transform.
    std::vector<QPainterPath> paths;
    paths.reserve(static_cast<std::size_t>(polygons));
    for (int i = 0; i < polygons; ++i) {
        const preview::Shape& shape = map.geometry.shapes[static_cast<std::size_t>(i)];
        QPainterPath path;
        path.moveTo(shape.points[0].x, shape.points[0].y);
        for (std::size_t v = 1; v < shape.points.size(); ++v) {
            path.lineTo(shape.points[v].x, shape.points[v].y);
        }
        path.closeSubpath();
        paths.push_back(std::move(path));
    }
    const preview::MapPoint topLeft = view.topLeft();
    const QTransform transform(view.scaleX(), 0, 0, view.scaleY(), -topLeft.x * view.scaleX(),
                               -topLeft.y * view.scaleY());
    const double baseline = bestMs(5, [&] {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setTransform(transform);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x8C, 0xC8, 0xFF));
        for (const QPainterPath& path : paths) p.drawPath(path);
    });

    std::printf("map: %d polygons (%d vertices), %d labelled points, 1920x1080, fitted\n", polygons,
                polygons * 20, points);
    std::printf("  first frame (paths built)  %8.1f ms\n", first);
    std::printf("  redraw                     %8.1f ms   ratio to baseline %.2f\n", redraw,
                redraw / baseline);
    std::printf("  pan                        %8.1f ms   ratio %.2f\n", pan, pan / baseline);
    std::printf("  zoom in x8 (new band)      %8.1f ms\n", zoomIn);
    std::printf("  redraw zoomed in           %8.1f ms\n", zoomedRedraw);
    std::printf("  zoom out to fit (cached)   %8.1f ms\n", zoomOut);
    std::printf("  baseline: plain drawPath, one colour  %8.1f ms\n", baseline);
    std::printf("  objects drawn in the last frame: %zu\n", painter.drawnCount());
    return 0;
}
