#include "Properties.h"

#include "Length.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

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

namespace {

UnderlineStyle underlineStyle(const QString& style) {
    static const std::pair<const char*, UnderlineStyle> styles[] = {
        {"solid", UnderlineStyle::Solid},      {"dotted", UnderlineStyle::Dotted},
        {"dash", UnderlineStyle::Dash},        {"long-dash", UnderlineStyle::LongDash},
        {"dot-dash", UnderlineStyle::DotDash}, {"dot-dot-dash", UnderlineStyle::DotDotDash},
        {"wave", UnderlineStyle::Wave},
    };
    for (const auto& [name, value] : styles) {
        if (style == QLatin1String(name)) {
            return value;
        }
    }
    return style.isEmpty() || style == QLatin1String("none") ? UnderlineStyle::None
                                                             : UnderlineStyle::Solid;
}

// "1pt 1pt", "0.1in -0.1in": the offset of a shadow in inches; 1 pt each way when unreadable.
QPointF shadowOffset(const QString& shadow) {
    const QStringList parts = shadow.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    auto length = [](QString s, bool* ok) {
        double perInch = runtime::PointsPerInch;
        if (s.endsWith(QLatin1String("in"))) {
            perInch = 1.0;
        } else if (s.endsWith(QLatin1String("cm"))) {
            perInch = 2.54;
        }
        s.remove(QRegularExpression(QStringLiteral("[a-z]+$")));
        return s.toDouble(ok) / perInch;
    };
    bool okX = false, okY = false;
    const double x = parts.size() == 2 ? length(parts[0], &okX) : 0.0;
    const double y = parts.size() == 2 ? length(parts[1], &okY) : 0.0;
    if (!okX || !okY || std::abs(x) > 1.0 || std::abs(y) > 1.0) {
        return QPointF(1.0, 1.0) / runtime::PointsPerInch;
    }
    return QPointF(x, y);
}

} // namespace

CharacterEffects characterEffects(const RVNGPropertyList& list) {
    CharacterEffects e;
    e.underline = underlineStyle(string(list, "style:text-underline-style"));
    e.doubleUnderline = string(list, "style:text-underline-type") == QLatin1String("double");
    e.boldUnderline = string(list, "style:text-underline-width") == QLatin1String("bold");
    e.wordsOnly = string(list, "style:text-underline-mode") == QLatin1String("skip-white-space");
    e.outline = string(list, "style:text-outline") == QLatin1String("true");
    const QString relief = string(list, "style:font-relief");
    e.relief = relief == QLatin1String("embossed")   ? Relief::Embossed
               : relief == QLatin1String("engraved") ? Relief::Engraved
                                                     : Relief::None;
    const QString shadow = string(list, "fo:text-shadow").trimmed();
    e.shadow = !shadow.isEmpty() && shadow != QLatin1String("none");
    if (e.shadow) {
        e.shadowOffset = shadowOffset(shadow);
    }
    return e;
}

} // namespace lumetra::drawing::props
