#pragma once
// The pictures of the window's tool bar buttons, drawn in code (no image files to ship): file
// commands from the style's standard icons, arrange commands and element kinds as small line
// drawings.
#include <QIcon>
#include <QString>

// The glyph of a command or element kind ("new", "alignLeft", "label", ...); an unknown kind
// gives an empty icon.
QIcon ButtonGlyph(const QString &Kind);
