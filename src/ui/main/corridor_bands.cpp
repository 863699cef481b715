// SPDX-License-Identifier: MIT
#include "ui/main/corridor_bands.h"

#include <QStringList>
#include <cmath>
#include <variant>

#include "ui/common/corridor_figures.h"

namespace tavimo::ui {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

// At most `places` decimals, trailing zeros dropped: "47.37", "120", the calculator's text.
QString decimals(double value, int places) {
    QString number = QString::number(value, 'f', places);
    if (number.contains('.')) {
        while (number.endsWith('0')) number.chop(1);
        if (number.endsWith('.')) number.chop(1);
    }
    return number == QStringLiteral("-0") ? QStringLiteral("0") : number;
}

QString directionLine(const DirectionBand& band) {
    const QString line = QStringLiteral("%1 to %2 (%3): ").arg(text(band.from), text(band.to), text(band.heading));
    if (!band.seconds || !std::isfinite(*band.seconds)) return line + QStringLiteral("no band, ") + text(band.reason);
    return line + QStringLiteral("band %1 s, efficiency %2, attainability %3")
                      .arg(decimals(*band.seconds, 2), band.efficiency ? decimals(*band.efficiency, 3) : QStringLiteral("none"),
                           band.attainability ? decimals(*band.attainability, 3) : QStringLiteral("none"));
}

}  // namespace

QString corridorBandsText(const UtdfNetwork& network, const std::vector<std::string>& ids) {
    QStringList given;
    for (const std::string& id : ids) given << text(id);
    const auto bands = bandsBothWays(network, ids);
    if (const auto* why = std::get_if<std::string>(&bands))
        return QStringLiteral("The route %1 cannot be travelled: %2.").arg(given.join(QStringLiteral(", ")), text(*why));
    QStringList lines{QStringLiteral("Corridor %1").arg(given.join(QStringLiteral(", ")))};
    for (const DirectionBand& band : std::get<std::vector<DirectionBand>>(bands)) lines << directionLine(band);
    return lines.join('\n');
}

}  // namespace tavimo::ui
