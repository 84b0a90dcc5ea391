#pragma once
// Geometry from librevenge's path and point lists (inches), as Qt painter paths.

#include <librevenge/librevenge.h>

#include <QPainterPath>
#include <QPolygonF>
#include <QString>

namespace lumetra::drawing {

// "svg:points": a list of svg:x / svg:y.
QPolygonF pointsFromList(const librevenge::RVNGPropertyListVector& points);
// "svg:d": librevenge:path-action M, L, H, V, C, S, Q, T, A, Z with their svg: coordinates.
QPainterPath pathFromList(const librevenge::RVNGPropertyListVector& actions);
// The simple textual form used for clip paths: "M x y L x y ... Z".
QPainterPath pathFromString(const QString& d);
// An SVG elliptical arc from `from` to `to`, added to `path` as cubic curves.
void addSvgArc(QPainterPath& path, QPointF from, double rx, double ry, double xRotationDeg,
               bool largeArc, bool sweep, QPointF to);

} // namespace lumetra::drawing
