// SPDX-License-Identifier: MIT
// Values for Designer's property sheet. Designer's sheet keeps a text property as a text
// with a translation flag and a picture property as the path it comes from; a value set
// through the form window's cursor must come in that form, or Designer saves a text as
// translatable and a picture not at all. Designer's library exports the two value classes
// (the ones its own property editor uses) but installs no header for them, so this file
// declares the constructors it calls and builds each value in the storage of its registered
// meta-type, from an example value the sheet gave.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

class QDesignerPropertySheetExtension;

namespace jxt {
namespace designer {

/// A text for the sheet's text property at index: translatable or not. Falls back to the
/// plain text where the sheet keeps plain texts.
QVariant SheetText(QDesignerPropertySheetExtension *sheet, int index, const QString &text,
                   bool translatable);
/// A list of texts for the sheet's text-list property at index, translatable or not.
QVariant SheetTextList(QDesignerPropertySheetExtension *sheet, int index, const QStringList &texts,
                       bool translatable);
/// A picture for the sheet's picture property at index, taken from the file at path.
/// Returns an invalid value where the sheet keeps pictures in another form.
QVariant SheetPixmap(QDesignerPropertySheetExtension *sheet, int index, const QString &path);
/// The path of a picture value the sheet holds (empty for none or another form).
QString SheetPixmapPath(const QVariant &value);

} // namespace designer
} // namespace jxt
