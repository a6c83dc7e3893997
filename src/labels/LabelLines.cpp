#include "LabelLines.h"

namespace orvel {

namespace {

QString blanks(qsizetype count)
{
    return QString(qMax<qsizetype>(count, 0), QLatin1Char(' '));
}

// Drops excess characters of text's variable part, which ends at cutEnd (-1: the end).
QString cutVariablePart(QString text, qsizetype cutEnd, qsizetype excess)
{
    const qsizetype end = cutEnd < 0 ? text.size() : qMin(cutEnd, text.size());
    const qsizetype dropped = qMin(excess, end);
    text.remove(end - dropped, dropped);
    return text.left(text.size() - (excess - dropped));
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

CentredLine centreLine(const FlexLine &line, int width)
{
    const qsizetype counted = line.before.size() + 1 + line.after.size();
    if (counted > width) {
        const QString after = cutVariablePart(line.after, line.cutEnd, counted - width);
        QString text = line.before + QLatin1Char(' ') + after;
        text.truncate(width);
        return {padded(text, width), text};
    }
    const qsizetype spare = width - counted;
    const QString pad = blanks(spare / 2);
    const QString gap = blanks(spare % 2 == 0 ? 1 : 2);
    const QString text = line.before + gap + line.after;
    return {pad + text + pad, pad + text};
}

FlexLine confirmationLine(const LabelQso &qso, LabelLanguage language)
{
    return {labelPhrases(language).line1, qso.call + QLatin1Char(' ') + qso.department,
            qso.call.size()};
}

FlexLine activationLine(const ActivationTexts &activation)
{
    return {activation.reference, activation.name};
}

FlexLine communeLine(const ActivationTexts &activation)
{
    return {QStringLiteral("DDCF ") + activation.canton,
            activation.postalCode + QLatin1Char(' ') + activation.commune};
}

CentredLine communeLineWithoutCanton(const ActivationTexts &activation, int width)
{
    ActivationTexts withoutCanton = activation;
    withoutCanton.canton.clear();
    const FlexLine line = communeLine(withoutCanton);
    const qsizetype counted = line.before.size() + 1 + line.after.size();
    const qsizetype spare = qMax<qsizetype>(width - counted, 0);
    const QString pad = blanks(spare / 2);
    const QString gap = blanks(spare % 2 == 0 ? 1 : 2);
    const QString place = gap + line.after;
    return {pad + blanks(2) + place + blanks(4) + pad, pad + blanks(1) + place};
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

QString creditLine(LabelLanguage language)
{
    const LabelPhrases &phrases = labelPhrases(language);
    return blanks(phrases.creditIndent) + phrases.credit + blanks(phrases.creditGap) +
           phrases.credit;
}

int halfToEven(int twice)
{
    if (twice % 2 == 0)
        return twice / 2;
    const int below = twice > 0 ? twice / 2 : -((1 - twice) / 2);
    return below % 2 == 0 ? below : below + 1;
}

QString placeLine(const PlacedLine &line, int width)
{
    const int pad = halfToEven(width - line.counted);
    if (pad >= 0)
        return blanks(pad) + line.text;
    if (line.text.size() <= width)
        return line.text;
    return cutVariablePart(line.text, line.cutEnd, line.text.size() - width);
}

PlacedLine placedConfirmationLine(const LabelQso &qso, LabelLanguage language)
{
    const QString phrase = labelPhrases(language).line1Placed;
    // The count is that of the French line in both languages, the département counting in
    // French only.
    const int counted = 21 + int(qso.call.size()) +
                        (language == LabelLanguage::French ? int(qso.department.size()) : 0);
    return {phrase + qso.call + QLatin1Char(' ') + qso.department, counted,
            phrase.size() + qso.call.size()};
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
