#include "LabelLines.h"

namespace orvel {

namespace {

QString blanks(qsizetype count)
{
    return QString(qMax<qsizetype>(count, 0), QLatin1Char(' '));
}

// Dates and times shorter than their columns keep the width of a full one, so that every
// left label of the row has the same width.
QString padded(const QString &text, int width)
{
    return text.size() >= width ? text : text + blanks(width - text.size());
}

} // namespace

LabelQso emptyLabelQso()
{
    return {QStringLiteral("......."), QString(),
            QStringLiteral(".."),      QStringLiteral("..."),
            QStringLiteral(".. Mhz"),  QStringLiteral("........"),
            QStringLiteral(".....")};
}

LabelQso labelQsoOrEmpty(const QString &entry)
{
    LabelQso qso = labelQsoOfEntry(entry);
    if (qso.call.isEmpty())
        return emptyLabelQso();
    return qso;
}

QString centredText(const FlexLine &line, int width)
{
    const qsizetype spare = width - (line.before.size() + 1 + line.after.size());
    const QString gap = blanks(spare > 0 && spare % 2 != 0 ? 2 : 1);
    return line.before + gap + line.after;
}

FlexLine confirmationLine(const LabelQso &qso, LabelLanguage language)
{
    return {labelPhrases(language).line1, qso.call + QLatin1Char(' ') + qso.department};
}

FlexLine activationLine(const ActivationTexts &activation)
{
    return {activation.reference, activation.name};
}

FlexLine communeLine(const ActivationTexts &activation)
{
    const QString place = activation.postalCode + QLatin1Char(' ') + activation.commune;
    if (activation.canton.isEmpty())
        return {QString(), place};
    return {QStringLiteral("DDCF ") + activation.canton, place};
}

FlexLine dateLine(const LabelQso &qso)
{
    return {padded(qso.date, qsocol::kDate.width) + QLatin1Char(' ') +
                padded(qso.time, qsocol::kTime.width) + QStringLiteral(" UTC  QRG ") + qso.band +
                QStringLiteral("  RST ") + qso.rst,
            qso.mode};
}

FlexLine stationLine(const StationTexts &station)
{
    return {QStringLiteral("TX : ") + station.transceiver,
            QStringLiteral("Ant : ") + station.antenna};
}

FlexLine thanksLine(const QString &activator, LabelLanguage language)
{
    const LabelPhrases &phrases = labelPhrases(language);
    return {phrases.thanks, phrases.greeting + activator};
}

QString creditText(LabelLanguage language)
{
    return labelPhrases(language).credit;
}

int creditIndent(LabelLanguage language)
{
    return labelPhrases(language).creditIndent;
}

int halfToEven(int twice)
{
    if (twice % 2 == 0)
        return twice / 2;
    const int below = twice > 0 ? twice / 2 : -((1 - twice) / 2);
    return below % 2 == 0 ? below : below + 1;
}

PlacedText placeLine(const PlacedLine &line, int width)
{
    return {qMax(0, halfToEven(width - line.counted)), line.text};
}

PlacedLine placedConfirmationLine(const LabelQso &qso, LabelLanguage language)
{
    const QString phrase = labelPhrases(language).line1Placed;
    // The count is that of the French line in both languages, the département counting in
    // French only.
    const int counted = 21 + int(qso.call.size()) +
                        (language == LabelLanguage::French ? int(qso.department.size()) : 0);
    return {phrase + qso.call + QLatin1Char(' ') + qso.department, counted};
}

PlacedLine placedDateLine(const LabelQso &qso, const LabelQso &firstColumnQso)
{
    const int counted = 30 + int(firstColumnQso.band.size() + firstColumnQso.mode.size() +
                                 firstColumnQso.rst.size());
    return {qso.date + QLatin1Char(' ') + qso.time + QStringLiteral(" UTC  QRG ") + qso.band +
                QStringLiteral("  RST ") + qso.rst + QLatin1Char(' ') + qso.mode,
            counted};
}

PlacedLine placedActivationLine(const ActivationTexts &activation)
{
    return {activation.reference + QLatin1Char(' ') + activation.name,
            int(activation.reference.size() + activation.name.size())};
}

PlacedLine placedCommuneLine(const ActivationTexts &activation)
{
    return {QStringLiteral("DDCF ") + activation.canton + QLatin1Char(' ') + activation.postalCode +
                QLatin1Char(' ') + activation.commune,
            6 + int(activation.canton.size() + activation.commune.size() +
                    activation.postalCode.size())};
}

PlacedLine placedStationLine(const StationTexts &station)
{
    return {QStringLiteral("TX: ") + station.transceiver + QStringLiteral("  Ant: ") +
                station.antenna,
            11 + int(station.transceiver.size() + station.antenna.size())};
}

PlacedLine placedThanksLine(const QString &activator, LabelLanguage language)
{
    const LabelPhrases &phrases = labelPhrases(language);
    return {phrases.thanks + phrases.greetingPlaced + activator, 27 + int(activator.size())};
}

} // namespace orvel
