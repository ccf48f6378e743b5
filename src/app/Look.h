#pragma once
// The program's look in one place: the one font family, the colours of its
// panels and the white label that sits on them.
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPoint>
#include <QString>

class QWidget;

namespace zelvora::gui {

// Arial, or its metric-compatible twin Liberation Sans where Arial is not
// installed (Debian's usual case), at a size in pixels.
QFont Arial(int pixels, bool bold = false, bool italic = false);

// The program's dark blue, behind titles, panels and the exam window's top.
QColor DarkBlue();
// Backgrounds of the exam window's parts.
QColor PaperAreaColour();
QColor AnswerColumnColour();
QColor AnswerBoxColour();

// Fills w's background with colour; the rest of its palette stays.
void Paint(QWidget* w, const QColor& background);
// White text on the dark blue; light and dark shades for bevels come from
// the blue itself.
void MakeDarkBlue(QWidget* w);
// Makes the text of w white (labels, group box titles, radio buttons).
void MakeTextWhite(QWidget* w);

// A palette whose every colour is set, so nothing of the parent's palette
// comes through.
QPalette OwnPalette(const QPalette& from);

// Gives label the font and white text, places it at at and sizes it to its
// text. Its background stays transparent.
void MakeWhiteLabel(QLabel* label, const QFont& font, QPoint at);

// A new white label (or a label class with QLabel's constructor) on parent.
template <typename Label = QLabel>
Label* WhiteLabel(const QString& text, const QFont& font, QWidget* parent, QPoint at = {})
{
    auto* l = new Label(text, parent);
    MakeWhiteLabel(l, font, at);
    return l;
}

// Gives a control its name (tests and tools find it by that name) and
// returns it.
template <typename W>
W* Named(W* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace zelvora::gui
