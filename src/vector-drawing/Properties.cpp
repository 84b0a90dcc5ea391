#include "Properties.h"

#include "Length.h"

namespace lumetra::drawing::props {

using librevenge::RVNGPropertyList;

bool has(const RVNGPropertyList& list, const char* name) {
    return list[name] != nullptr;
}

QString string(const RVNGPropertyList& list, const char* name) {
    const librevenge::RVNGProperty* p = list[name];
    return p ? QString::fromUtf8(p->getStr().cstr()) : QString();
}

std::optional<double> inches(const RVNGPropertyList& list, const char* name) {
    const librevenge::RVNGProperty* p = list[name];
    if (!p) {
        return std::nullopt;
    }
    const double v = p->getDouble();
    switch (p->getUnit()) {
    case librevenge::RVNG_POINT:
        return v / runtime::PointsPerInch;
    case librevenge::RVNG_TWIP:
        return v / runtime::TwipsPerInch;
    default:
        return v;
    }
}

double inchesOr(const RVNGPropertyList& list, const char* name, double fallback) {
    return inches(list, name).value_or(fallback);
}

std::optional<int> integer(const RVNGPropertyList& list, const char* name) {
    const librevenge::RVNGProperty* p = list[name];
    return p ? std::optional<int>(p->getInt()) : std::nullopt;
}

std::optional<double> number(const RVNGPropertyList& list, const char* name) {
    const librevenge::RVNGProperty* p = list[name];
    return p ? std::optional<double>(p->getDouble()) : std::nullopt;
}

double fraction(const RVNGPropertyList& list, const char* name, double fallback) {
    const librevenge::RVNGProperty* p = list[name];
    if (!p) {
        return fallback;
    }
    if (p->getUnit() == librevenge::RVNG_PERCENT) {
        return p->getDouble();
    }
    QString s = QString::fromUtf8(p->getStr().cstr()).trimmed();
    const bool percent = s.endsWith(QLatin1Char('%'));
    if (percent) {
        s.chop(1);
    }
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok) {
        return fallback;
    }
    return percent ? v / 100.0 : v;
}

QColor color(const RVNGPropertyList& list, const char* name, QColor fallback) {
    const QString s = string(list, name);
    if (s.isEmpty()) {
        return fallback;
    }
    const QColor c = QColor::fromString(s);
    return c.isValid() ? c : fallback;
}

} // namespace lumetra::drawing::props
