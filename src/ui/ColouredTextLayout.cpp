#include "ui/ColouredTextLayout.h"

#include "TextUnits.h"
#include "UnitColours.h"
#include "ui/ScreenColour.h"

#include <QFontDatabase>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRawFont>
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

// The width of a line that ends only at a kept line break.
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
    m_lineBreaks = lineBreaks;
    m_paragraphs.clear();
    m_lines.clear();
    m_runs.clear();
}

void ColouredTextLayout::setFont(const QFont& font)
{
    m_font = font;
    m_paragraphs.clear();
    m_lines.clear();
    m_runs.clear();
}

void ColouredTextLayout::setGradient(const QGradientStops& stops)
{
    m_gradient = stops;
}

void ColouredTextLayout::layOut(qreal width)
{
    if (m_paragraphs.empty()) {
        // A kept line break ends its paragraph and belongs to none; a line break not kept is
        // white space to a page, and shows as a space.
        m_paragraphStarts.clear();
        qsizetype start = 0;
        const auto addParagraph = [this](qsizetype from, qsizetype to) {
            QString paragraph = m_text.sliced(from, to - from);
            for (QChar& character : paragraph) {
                if (isLineBreakCharacter(character))
                    character = u' ';
            }
            auto layout = std::make_unique<QTextLayout>(paragraph, m_font);
            layout->setCacheEnabled(true);
            layout->setFormats(emojiPresentation(paragraph));
            m_paragraphs.push_back(std::move(layout));
            m_paragraphStarts.push_back(from);
        };
        for (size_t unit = 0; unit + 1 < m_offsets.size(); ++unit) {
            if (m_lineBreaks[unit]) {
                addParagraph(start, m_offsets[unit]);
                start = m_offsets[unit + 1];
            }
        }
        addParagraph(start, m_text.size());
    }
    m_lines.clear();
    m_runs.clear();
    m_totalWidth = 0;
    for (size_t paragraph = 0; paragraph < m_paragraphs.size(); ++paragraph) {
        QTextLayout& layout = *m_paragraphs[paragraph];
        QTextOption option = layout.textOption();
        option.setWrapMode(width > 0 ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal y = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width > 0 ? width : kUnboundedWidth);
            line.setPosition(QPointF(0, y));
            y += line.height();
            m_lines.push_back({paragraph, line.lineNumber(), m_totalWidth});
            m_totalWidth += line.naturalTextWidth();
        }
        layout.endLayout();
    }
    m_runs.resize(m_lines.size());
}

qreal ColouredTextLayout::lineHeight(qsizetype line) const
{
    const Line& where = m_lines[static_cast<size_t>(line)];
    return m_paragraphs[where.paragraph]->lineAt(where.index).height();
}

qreal ColouredTextLayout::lineWidth(qsizetype line) const
{
    const Line& where = m_lines[static_cast<size_t>(line)];
    return m_paragraphs[where.paragraph]->lineAt(where.index).naturalTextWidth();
}

const std::vector<ColouredTextLayout::ColouredRun>& ColouredTextLayout::runs(qsizetype line) const
{
    std::optional<std::vector<ColouredRun>>& cached = m_runs[static_cast<size_t>(line)];
    if (cached)
        return *cached;
    cached.emplace();
    const Line& where = m_lines[static_cast<size_t>(line)];
    const QTextLine textLine = m_paragraphs[where.paragraph]->lineAt(where.index);
    const qsizetype paragraphStart = m_paragraphStarts[where.paragraph];
    const qsizetype lineStart = paragraphStart + textLine.textStart();
    const qsizetype lineEnd = lineStart + textLine.textLength();
    // Units are asked for their glyphs in text order. Qt gives the glyphs of a cluster to every
    // unit that holds one of its code points; the first unit, the one holding the cluster's first
    // code point, keeps them, as a browser paints a cluster split across elements in the colour
    // of the element where it starts.
    std::set<std::tuple<quint32, qreal, qreal>> taken;
    auto unit = static_cast<size_t>(std::upper_bound(m_offsets.begin(), m_offsets.end(), lineStart) -
                                    m_offsets.begin()) -
                1;
    while (unit + 1 < m_offsets.size() && m_offsets[unit] < lineEnd) {
        // Neighbours of one colour are asked together.
        size_t stop = unit + 1;
        while (stop + 1 < m_offsets.size() && m_offsets[stop] < lineEnd && m_colours[stop] == m_colours[unit])
            ++stop;
        const qsizetype from = std::max(m_offsets[unit], lineStart);
        const qsizetype to = std::min(m_offsets[stop], lineEnd);
        if (to > from) {
            const QList<QGlyphRun> glyphRuns =
                textLine.glyphRuns(static_cast<int>(from - paragraphStart), static_cast<int>(to - from));
            for (QGlyphRun run : glyphRuns) {
                const QList<quint32> indexes = run.glyphIndexes();
                const QList<QPointF> positions = run.positions();
                QList<quint32> keptIndexes;
                QList<QPointF> keptPositions;
                for (qsizetype glyph = 0; glyph < indexes.size(); ++glyph) {
                    if (taken.insert({indexes[glyph], positions[glyph].x(), positions[glyph].y()}).second) {
                        keptIndexes.append(indexes[glyph]);
                        keptPositions.append(positions[glyph]);
                    }
                }
                if (keptIndexes.isEmpty())
                    continue;
                if (keptIndexes.size() != indexes.size()) {
                    run.setGlyphIndexes(keptIndexes);
                    run.setPositions(keptPositions);
                }
                cached->push_back({run, m_colours[unit]});
            }
        }
        unit = stop;
    }
    return *cached;
}

void ColouredTextLayout::drawLine(QPainter& painter, qsizetype line, qreal left, qreal top,
                                  const QColor& plain) const
{
    const Line& where = m_lines[static_cast<size_t>(line)];
    const QTextLine textLine = m_paragraphs[where.paragraph]->lineAt(where.index);
    const QPointF origin(left - textLine.x(), top - textLine.y());
    for (const ColouredRun& run : runs(line)) {
        painter.setPen(run.colour.isValid() ? run.colour : plain);
        painter.drawGlyphRun(origin, run.glyphs);
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
