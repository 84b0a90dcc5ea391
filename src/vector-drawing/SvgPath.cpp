#include "SvgPath.h"

#include "Properties.h"

#include <QRegularExpression>

#include <cmath>
#include <numbers>

namespace lumetra::drawing {

namespace {

QPointF point(const librevenge::RVNGPropertyList& p, const char* x, const char* y, QPointF def) {
    return QPointF(props::inchesOr(p, x, def.x()), props::inchesOr(p, y, def.y()));
}

} // namespace

QPolygonF pointsFromList(const librevenge::RVNGPropertyListVector& points) {
    QPolygonF out;
    for (unsigned long i = 0; i < points.count(); ++i) {
        const auto& p = points[i];
        if (props::has(p, "svg:x") && props::has(p, "svg:y")) {
            out << point(p, "svg:x", "svg:y", {});
        }
    }
    return out;
}

void addSvgArc(QPainterPath& path, QPointF from, double rx, double ry, double xRotationDeg,
               bool largeArc, bool sweep, QPointF to) {
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (from == to) {
        return;
    }
    if (rx < 1e-12 || ry < 1e-12 || !std::isfinite(rx) || !std::isfinite(ry)) {
        path.lineTo(to);
        return;
    }
    const double phi = xRotationDeg * std::numbers::pi / 180.0;
    const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
    const double dx = (from.x() - to.x()) / 2, dy = (from.y() - to.y()) / 2;
    const double x1 = cosPhi * dx + sinPhi * dy;
    const double y1 = -sinPhi * dx + cosPhi * dy;
    const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double coef = den > 0 ? std::sqrt(std::max(0.0, num / den)) : 0.0;
    if (largeArc == sweep) {
        coef = -coef;
    }
    const double cx1 = coef * rx * y1 / ry;
    const double cy1 = -coef * ry * x1 / rx;
    const double cx = cosPhi * cx1 - sinPhi * cy1 + (from.x() + to.x()) / 2;
    const double cy = sinPhi * cx1 + cosPhi * cy1 + (from.y() + to.y()) / 2;
    auto angle = [](double ux, double uy, double vx, double vy) {
        return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
    };
    const double theta1 = angle(1, 0, (x1 - cx1) / rx, (y1 - cy1) / ry);
    double delta = angle((x1 - cx1) / rx, (y1 - cy1) / ry, (-x1 - cx1) / rx, (-y1 - cy1) / ry);
    if (!sweep && delta > 0) {
        delta -= 2 * std::numbers::pi;
    } else if (sweep && delta < 0) {
        delta += 2 * std::numbers::pi;
    }
    const int segments = std::max(1, int(std::ceil(std::fabs(delta) / (std::numbers::pi / 2))));
    const double step = delta / segments;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    auto at = [&](double ex, double ey) {
        return QPointF(cx + cosPhi * ex - sinPhi * ey, cy + sinPhi * ex + cosPhi * ey);
    };
    double t = theta1;
    for (int i = 0; i < segments; ++i) {
        const double t2 = t + step;
        const double c1x = rx * (std::cos(t) - k * std::sin(t));
        const double c1y = ry * (std::sin(t) + k * std::cos(t));
        const double c2x = rx * (std::cos(t2) + k * std::sin(t2));
        const double c2y = ry * (std::sin(t2) - k * std::cos(t2));
        const QPointF end = i + 1 == segments ? to : at(rx * std::cos(t2), ry * std::sin(t2));
        path.cubicTo(at(c1x, c1y), at(c2x, c2y), end);
        t = t2;
    }
}

QPainterPath pathFromList(const librevenge::RVNGPropertyListVector& actions) {
    QPainterPath path;
    QPointF current, start, lastControl;
    QChar previous;
    for (unsigned long i = 0; i < actions.count(); ++i) {
        const auto& a = actions[i];
        const QString action = props::string(a, "librevenge:path-action");
        if (action.isEmpty()) {
            continue;
        }
        const QChar c = action.at(0).toUpper();
        if (c != QLatin1Char('M') && c != QLatin1Char('Z') && path.elementCount() == 0) {
            path.moveTo(current);
        }
        switch (c.unicode()) {
        case 'M':
            current = start = point(a, "svg:x", "svg:y", current);
            path.moveTo(current);
            break;
        case 'L':
            current = point(a, "svg:x", "svg:y", current);
            path.lineTo(current);
            break;
        case 'H':
            current.setX(props::inchesOr(a, "svg:x", current.x()));
            path.lineTo(current);
            break;
        case 'V':
            current.setY(props::inchesOr(a, "svg:y", current.y()));
            path.lineTo(current);
            break;
        case 'C': {
            const QPointF c1 = point(a, "svg:x1", "svg:y1", current);
            const QPointF c2 = point(a, "svg:x2", "svg:y2", c1);
            current = point(a, "svg:x", "svg:y", current);
            path.cubicTo(c1, c2, current);
            lastControl = c2;
            break;
        }
        case 'S': {
            const QPointF c1 = (previous == QLatin1Char('C') || previous == QLatin1Char('S'))
                                   ? 2 * current - lastControl
                                   : current;
            const QPointF c2 = point(a, "svg:x1", "svg:y1", current);
            current = point(a, "svg:x", "svg:y", current);
            path.cubicTo(c1, c2, current);
            lastControl = c2;
            break;
        }
        case 'Q': {
            const QPointF c1 = point(a, "svg:x1", "svg:y1", current);
            current = point(a, "svg:x", "svg:y", current);
            path.quadTo(c1, current);
            lastControl = c1;
            break;
        }
        case 'T': {
            const QPointF c1 = (previous == QLatin1Char('Q') || previous == QLatin1Char('T'))
                                   ? 2 * current - lastControl
                                   : current;
            current = point(a, "svg:x", "svg:y", current);
            path.quadTo(c1, current);
            lastControl = c1;
            break;
        }
        case 'A': {
            const QPointF to = point(a, "svg:x", "svg:y", current);
            addSvgArc(path, current, props::inchesOr(a, "svg:rx", 0),
                      props::inchesOr(a, "svg:ry", 0),
                      props::number(a, "librevenge:rotate").value_or(0),
                      props::integer(a, "librevenge:large-arc").value_or(0) != 0,
                      props::integer(a, "librevenge:sweep").value_or(0) != 0, to);
            current = to;
            break;
        }
        case 'Z':
            path.closeSubpath();
            current = start;
            break;
        default:
            break;
        }
        previous = c;
    }
    return path;
}

QPainterPath pathFromString(const QString& d) {
    QPainterPath path;
    static const QRegularExpression token(
        QStringLiteral("([MLZmlz])|(-?[0-9.]+(?:[eE][-+]?[0-9]+)?)"));
    QChar command;
    QList<double> numbers;
    auto flush = [&] {
        if (command == QLatin1Char('M') && numbers.size() >= 2) {
            path.moveTo(numbers[0], numbers[1]);
        } else if (command == QLatin1Char('L') && numbers.size() >= 2) {
            path.lineTo(numbers[0], numbers[1]);
        }
        numbers.clear();
    };
    for (auto it = token.globalMatch(d); it.hasNext();) {
        const auto m = it.next();
        if (m.capturedLength(1) > 0) {
            flush();
            command = m.captured(1).at(0).toUpper();
            if (command == QLatin1Char('Z')) {
                path.closeSubpath();
            }
        } else {
            numbers << m.captured(2).toDouble();
            if (numbers.size() == 2) {
                flush();
            }
        }
    }
    return path;
}

} // namespace lumetra::drawing
