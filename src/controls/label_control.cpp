#include "label_control.h"

#include "accessibility.h"
#include "classic_palette.h"

#include <QAccessible>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>

namespace griffwandler::controls {

namespace {

// Explicit line breaks in a caption ("\r\n", "\r" or "\n") start a new line.
QString withLineSeparators(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(u'\r', QChar::LineSeparator);
    text.replace(u'\n', QChar::LineSeparator);
    return text;
}

} // namespace

LabelControl::LabelControl(QWidget *parent) : QWidget(parent), m_backColor(classic::Face)
{
    installAccessibleFactory();
    setFocusPolicy(Qt::NoFocus);
}

LabelControl::~LabelControl() = default;

void LabelControl::setCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    const QString before = readableText();
    m_caption = caption;
    update();
    if (QAccessible::isActive()) {
        announceNameChange(this);
        QAccessibleTextUpdateEvent event(this, 0, before, readableText());
        QAccessible::updateAccessibility(&event);
    }
}

QString LabelControl::caption() const
{
    return m_caption;
}

void LabelControl::setCentred(bool centred)
{
    if (m_centred == centred)
        return;
    m_centred = centred;
    update();
}

bool LabelControl::isCentred() const
{
    return m_centred;
}

void LabelControl::setOpaque(bool opaque, const QColor &backColor)
{
    m_opaque = opaque;
    if (backColor.isValid())
        m_backColor = backColor;
    update();
}

bool LabelControl::isOpaque() const
{
    return m_opaque;
}

QColor LabelControl::backColor() const
{
    return m_backColor;
}

QList<LabelControl::Line> LabelControl::layoutCaption(QTextLayout &layout) const
{
    layout.setText(withLineSeparators(m_caption));
    layout.setFont(font());
    QTextOption option;
    // Words longer than the box are broken rather than running past its edge.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);

    QList<Line> result;
    const qreal lineWidth = width();
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lineWidth);
        // Whole-pixel lines keep the text crisp and its position predictable. The
        // natural width leaves out blanks where the line was broken, so centring is true.
        const qreal height = qCeil(line.height());
        const qreal natural = line.naturalTextWidth();
        const qreal x = m_centred ? qRound((lineWidth - natural) / 2) : 0;
        line.setPosition(QPointF(x, y));
        QString lineText = layout.text().mid(line.textStart(), line.textLength());
        if (lineText.endsWith(QChar::LineSeparator))
            lineText.chop(1);
        result.append(Line{lineText, QRectF(x, y, natural, height)});
        y += height;
    }
    layout.endLayout();
    return result;
}

QList<LabelControl::Line> LabelControl::lines() const
{
    QTextLayout layout;
    return layoutCaption(layout);
}

QString LabelControl::readableText() const
{
    return withLineSeparators(m_caption).replace(QChar::LineSeparator, u'\n');
}

QRectF LabelControl::characterRect(int offset) const
{
    QTextLayout layout;
    layoutCaption(layout);
    if (offset < 0 || offset >= layout.text().size())
        return {};
    const QTextLine line = layout.lineForTextPosition(offset);
    if (!line.isValid())
        return {};
    const qreal left = line.cursorToX(offset);
    const qreal right = line.cursorToX(offset + 1);
    return QRectF(qMin(left, right), line.y(), qAbs(right - left), qCeil(line.height()));
}

int LabelControl::offsetAt(const QPointF &point) const
{
    QTextLayout layout;
    layoutCaption(layout);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (point.y() < line.y() || point.y() >= line.y() + qCeil(line.height()) ||
            point.x() < line.x() || point.x() >= line.x() + line.naturalTextWidth())
            continue;
        return line.xToCursor(point.x(), QTextLine::CursorOnCharacter);
    }
    return -1;
}

void LabelControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_opaque)
        painter.fillRect(rect(), m_backColor);
    QTextLayout layout;
    layoutCaption(layout);
    painter.setPen(QColor(classic::Text));
    layout.draw(&painter, QPointF(0, 0));
}

} // namespace griffwandler::controls
