#include "ui/ColouredTextLayout.h"

#include "TextUnits.h"
#include "UnitColours.h"
#include "ui/ScreenColour.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRawFont>
#include <QTextBoundaryFinder>
#include <QTextCharFormat>
#include <QTextLine>
#include <QTextOption>
#include <algorithm>
#include <set>
#include <tuple>

namespace huespan {

namespace {

// Browsers' default style sheet: <font size> 1 to 7 as x-small to xxx-large (10, 13, 16, 18, 24,
// 32 and 48 pixels of a 16-pixel medium), and h1 to h6 at 2, 1.5, 1.17, 1, 0.83 and 0.67 em, bold.
constexpr std::array<qreal, 7> kFontSizeScale{10.0 / 16, 13.0 / 16, 1.0, 18.0 / 16, 24.0 / 16, 2.0, 3.0};
constexpr std::array<qreal, 6> kHeadingScale{2.0, 1.5, 1.17, 1.0, 0.83, 0.67};

// A gradient sampled this finely looks the same as one interpolated in its own colour space.
constexpr int kGradientSamples = 65;

// A line is shaped with no width of its own: the wrapping has already said where it ends.
constexpr qreal kUnboundedWidth = 1e7;

// The colour emoji font a page's emoji presentation asks for: the first installed family that
// calls itself an emoji font and has 😀 (Noto Color Emoji on Debian).
const QRawFont& emojiFont()
{
    static const QRawFont font = [] {
        for (const QString& family : QFontDatabase::families()) {
            if (!family.contains(QStringLiteral(u"emoji"), Qt::CaseInsensitive))
                continue;
            QFont candidate(family);
            candidate.setStyleStrategy(QFont::NoFontMerging);
            const QRawFont raw = QRawFont::fromFont(candidate);
            if (raw.isValid() && raw.familyName() == family && raw.supportsCharacter(0x1F600u))
                return raw;
        }
        return QRawFont();
    }();
    return font;
}

// A grapheme cluster that holds VARIATION SELECTOR-16 asks for emoji presentation (a keycap, ☺️):
// a browser draws the whole cluster with an emoji font, where Qt would take a digit or a symbol
// from the text font and leave the keycap apart. Such a cluster, when the emoji font has all its
// visible code points, is drawn with that font alone.
QList<QTextLayout::FormatRange> emojiPresentation(const QString& paragraph)
{
    QList<QTextLayout::FormatRange> ranges;
    if (!paragraph.contains(QChar(0xFE0F)) || !emojiFont().isValid())
        return ranges;
    QTextCharFormat emoji;
    emoji.setFontFamilies(QStringList{emojiFont().familyName()});
    emoji.setFontStyleStrategy(QFont::NoFontMerging);
    const TextUnits clusters(paragraph, TextUnit::Grapheme, false, false);
    for (qsizetype index = 0; index < clusters.count(); ++index) {
        const QStringView cluster = clusters.at(index);
        if (!cluster.contains(QChar(0xFE0F)))
            continue;
        const QList<uint> codePoints = cluster.toUcs4();
        if (std::all_of(codePoints.begin(), codePoints.end(), [](uint codePoint) {
                // The selector and the joiner are default ignorable: no font needs them.
                return codePoint == 0xFE0F || codePoint == 0x200D || emojiFont().supportsCharacter(codePoint);
            }))
            ranges.append({static_cast<int>(cluster.data() - paragraph.constData()),
                           static_cast<int>(cluster.size()), emoji});
    }
    return ranges;
}

bool isLineBreakCharacter(QChar character)
{
    return character == u'\n' || character == u'\r';
}

} // namespace

ColouredTextLayout::ColouredTextLayout() = default;
ColouredTextLayout::~ColouredTextLayout() = default;

QFont ColouredTextLayout::pageFont(QFont base, const GradientSettings& settings)
{
    qreal scale = 1.0;
    bool bold = settings.bold;
    if (settings.sizeMode == SizeMode::Heading && settings.heading && *settings.heading >= 1 &&
        *settings.heading <= 6) {
        scale = kHeadingScale[static_cast<size_t>(*settings.heading - 1)];
        bold = true;
    } else if (settings.sizeMode == SizeMode::Normal && settings.fontSize && *settings.fontSize >= 1 &&
               *settings.fontSize <= 7) {
        scale = kFontSizeScale[static_cast<size_t>(*settings.fontSize - 1)];
    }
    if (base.pixelSize() > 0)
        base.setPixelSize(std::max(1, qRound(base.pixelSize() * scale)));
    else
        base.setPointSizeF(base.pointSizeF() * scale);
    base.setBold(bold);
    base.setItalic(settings.italic);
    base.setUnderline(settings.underline);
    base.setStrikeOut(settings.strike);
    return base;
}

QGradientStops ColouredTextLayout::gradientStops(const GradientSettings& settings)
{
    QGradientStops stops;
    if (settings.extended.format != OutputFormat::Css)
        return stops;
    // A single stop is no gradient (a run refuses it); its colour fills the text meanwhile.
    if (settings.extended.stops.size() == 1) {
        const QColor colour = screenColour(settings.extended.stops.front().colour);
        return {{0.0, colour}, {1.0, colour}};
    }
    const std::vector<ColourTriple> colours = UnitColours::schedule(settings, kGradientSamples);
    for (size_t index = 0; index < colours.size(); ++index)
        stops.append({static_cast<qreal>(index) / (kGradientSamples - 1), screenColour(colours[index])});
    return stops;
}

void ColouredTextLayout::setText(const QString& text, const std::vector<qsizetype>& offsets,
                                 const std::vector<QColor>& colours, const std::vector<bool>& lineBreaks)
{
    m_text = text;
    m_offsets = offsets;
    m_colours = colours;
    m_marked.assign(colours.size(), false);
    m_lineBreaks = lineBreaks;
    m_measured = false;
    m_lines.clear();
    m_runs.clear();
}

void ColouredTextLayout::setColours(const std::vector<QColor>& colours, const std::vector<bool>& marked)
{
    m_colours = colours;
    m_marked = marked;
    m_runs.assign(m_lines.size(), std::nullopt);
}

void ColouredTextLayout::setFont(const QFont& font)
{
    m_font = font;
    m_measured = false;
    m_lines.clear();
    m_runs.clear();
}

void ColouredTextLayout::setGradient(const QGradientStops& stops)
{
    m_gradient = stops;
}

void ColouredTextLayout::measure()
{
    m_clusterStarts.clear();
    m_advances.clear();
    m_breakBefore.clear();
    m_keptBreak.clear();
    const QFontMetricsF metrics(m_font);
    m_lineHeight = metrics.lineSpacing();
    m_ascent = metrics.ascent();
    const qreal space = metrics.horizontalAdvance(u' ');
    // Where a kept line break stands: such a unit is one cluster (CR LF included).
    std::vector<bool> keptAt(static_cast<size_t>(m_text.size()) + 1, false);
    for (size_t unit = 0; unit + 1 < m_offsets.size(); ++unit) {
        if (m_lineBreaks[unit])
            keptAt[static_cast<size_t>(m_offsets[unit])] = true;
    }
    QTextBoundaryFinder opportunities(QTextBoundaryFinder::Line, m_text);
    const TextUnits clusters(m_text, TextUnit::Grapheme, false, true);
    for (qsizetype index = 0; index < clusters.count(); ++index) {
        const QStringView cluster = clusters.at(index);
        const qsizetype start = cluster.data() - m_text.constData();
        const bool kept = keptAt[static_cast<size_t>(start)];
        m_clusterStarts.push_back(start);
        m_keptBreak.push_back(kept);
        opportunities.setPosition(start);
        m_breakBefore.push_back(start > 0 && opportunities.isAtBoundary());
        if (kept)
            m_advances.push_back(0);
        else if (isLineBreakCharacter(cluster.front()))
            m_advances.push_back(space);
        else
            m_advances.push_back(metrics.horizontalAdvance(cluster.toString()));
    }
    m_clusterStarts.push_back(m_text.size());
    m_measured = true;
}

void ColouredTextLayout::layOut(qreal width)
{
    if (!m_measured)
        measure();
    m_lines.clear();
    m_runs.clear();
    m_totalWidth = 0;
    const size_t count = m_advances.size();
    const bool wraps = width > 0;
    size_t first = 0;
    qreal x = 0;
    // The last cluster before which the line may break, and the width of the line up to it.
    size_t opportunity = 0;
    qreal widthBefore = 0;
    const auto endLine = [this](size_t from, size_t to, qreal lineWidth) {
        m_lines.push_back({m_clusterStarts[from], m_clusterStarts[to], m_totalWidth, lineWidth});
        m_totalWidth += lineWidth;
    };
    for (size_t cluster = 0; cluster < count; ++cluster) {
        if (m_keptBreak[cluster]) {
            endLine(first, cluster, x);
            first = cluster + 1;
            x = 0;
            opportunity = first;
            widthBefore = 0;
            continue;
        }
        if (cluster > first && m_breakBefore[cluster]) {
            opportunity = cluster;
            widthBefore = x;
        }
        const bool blank = m_text[m_clusterStarts[cluster]].isSpace();
        if (wraps && cluster > first && !blank && x + m_advances[cluster] > width) {
            // Back to the last opportunity in the line, or, in a word wider than the line, here.
            const size_t breakAt = opportunity > first ? opportunity : cluster;
            const qreal kept = opportunity > first ? widthBefore : x;
            endLine(first, breakAt, kept);
            x -= kept;
            first = breakAt;
            opportunity = first;
            widthBefore = 0;
        }
        x += m_advances[cluster];
    }
    endLine(first, count, x);
    m_runs.resize(m_lines.size());
}

qreal ColouredTextLayout::lineHeight(qsizetype) const
{
    return m_lineHeight;
}

qreal ColouredTextLayout::lineWidth(qsizetype line) const
{
    return m_lines[static_cast<size_t>(line)].width;
}

const std::vector<ColouredTextLayout::ColouredRun>& ColouredTextLayout::runs(qsizetype line) const
{
    std::optional<std::vector<ColouredRun>>& cached = m_runs[static_cast<size_t>(line)];
    if (cached)
        return *cached;
    cached.emplace();
    const Line& where = m_lines[static_cast<size_t>(line)];
    const qsizetype lineStart = where.start;
    const qsizetype lineEnd = where.end;
    QString lineText = m_text.sliced(lineStart, lineEnd - lineStart);
    for (QChar& character : lineText) {
        if (isLineBreakCharacter(character))
            character = u' ';
    }
    QTextLayout layout(lineText, m_font);
    layout.setFormats(emojiPresentation(lineText));
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    if (!textLine.isValid()) {
        layout.endLayout();
        return *cached;
    }
    textLine.setLineWidth(kUnboundedWidth);
    textLine.setPosition(QPointF(0, 0));
    layout.endLayout();
    // Units are asked for their glyphs in text order. Qt gives the glyphs of a cluster to every
    // unit that holds one of its code points; the first unit, the one holding the cluster's first
    // code point, keeps them, as a browser paints a cluster split across elements in the colour
    // of the element where it starts.
    std::set<std::tuple<quint32, qreal, qreal>> taken;
    // Every line stands on the base font's baseline, whatever fallback font rises above it.
    const QPointF shift(0, m_ascent - textLine.ascent());
    auto unit = static_cast<size_t>(std::upper_bound(m_offsets.begin(), m_offsets.end(), lineStart) -
                                    m_offsets.begin()) -
                1;
    while (unit + 1 < m_offsets.size() && m_offsets[unit] < lineEnd) {
        // Neighbours of one colour are asked together.
        size_t stop = unit + 1;
        while (stop + 1 < m_offsets.size() && m_offsets[stop] < lineEnd &&
               m_colours[stop] == m_colours[unit] && m_marked[stop] == m_marked[unit])
            ++stop;
        const qsizetype from = std::max(m_offsets[unit], lineStart);
        const qsizetype to = std::min(m_offsets[stop], lineEnd);
        if (to > from) {
            const QList<QGlyphRun> glyphRuns =
                textLine.glyphRuns(static_cast<int>(from - lineStart), static_cast<int>(to - from));
            for (QGlyphRun run : glyphRuns) {
                const QList<quint32> indexes = run.glyphIndexes();
                const QList<QPointF> positions = run.positions();
                QList<quint32> keptIndexes;
                QList<QPointF> keptPositions;
                for (qsizetype glyph = 0; glyph < indexes.size(); ++glyph) {
                    if (taken.insert({indexes[glyph], positions[glyph].x(), positions[glyph].y()}).second) {
                        keptIndexes.append(indexes[glyph]);
                        keptPositions.append(positions[glyph] + shift);
                    }
                }
                if (keptIndexes.isEmpty())
                    continue;
                run.setGlyphIndexes(keptIndexes);
                run.setPositions(keptPositions);
                cached->push_back({run, m_colours[unit], m_marked[unit]});
            }
        }
        unit = stop;
    }
    return *cached;
}

void ColouredTextLayout::drawLine(QPainter& painter, qsizetype line, qreal left, qreal top,
                                  const QColor& plain) const
{
    const QPointF origin(left, top);
    for (const ColouredRun& run : runs(line)) {
        painter.setPen(run.colour.isValid() ? run.colour : plain);
        painter.drawGlyphRun(origin, run.glyphs);
        if (run.marked) {
            // Under the baseline, in the colour that stands out from the background.
            const QRectF glyphs = run.glyphs.boundingRect().translated(origin);
            const qreal y = top + m_ascent + 2;
            painter.setPen(QPen(plain, 2, Qt::DotLine));
            painter.drawLine(QPointF(glyphs.left(), y), QPointF(glyphs.right(), y));
        }
    }
}

void ColouredTextLayout::draw(QPainter& painter, qreal left, qreal top, qsizetype firstLine, qreal bottom,
                              const QColor& plain) const
{
    if (m_gradient.isEmpty()) {
        for (qsizetype line = firstLine; line < lineCount() && top < bottom; ++line) {
            drawLine(painter, line, left, top, plain);
            top += lineHeight(line);
        }
        return;
    }
    // The glyphs, emoji included, are a mask that the gradient fills. The gradient runs across the
    // lines as if they stood end to end, the way a page slices an element's background.
    const QRect target = painter.viewport();
    const qreal ratio = painter.device()->devicePixelRatioF();
    QImage mask(target.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    mask.setDevicePixelRatio(ratio);
    mask.fill(Qt::transparent);
    QPainter maskPainter(&mask);
    maskPainter.setFont(painter.font());
    for (qsizetype line = firstLine; line < lineCount() && top < bottom; ++line) {
        const qreal height = lineHeight(line);
        drawLine(maskPainter, line, left, top, Qt::black);
        maskPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        const Line& where = m_lines[static_cast<size_t>(line)];
        const qreal start = left - where.before;
        QLinearGradient gradient(start, 0, start + std::max<qreal>(1, m_totalWidth), 0);
        gradient.setStops(m_gradient);
        maskPainter.fillRect(QRectF(0, top, target.width(), height), gradient);
        maskPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        top += height;
    }
    maskPainter.end();
    painter.drawImage(QPointF(0, 0), mask);
}

} // namespace huespan
