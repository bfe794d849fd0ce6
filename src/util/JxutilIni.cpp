// SPDX-License-Identifier: MIT
// INI helpers of Jxutil: every call works on a TIniFile of its own, kept in INIFile while the
// call runs.
#include "util/JxutilIni.h"

#include "host/controls/Forms.h"
#include "host/core/Strings.h"
#include "host/graphics/Graphics.h"

#include <memory>

namespace jxt {

TIniFile *INIFile = nullptr;

namespace {

const QString kWinPosSection = QStringLiteral("WinPos");

/// Opens the file for one call and makes it INIFile; closes it and clears INIFile at the end,
/// also when the call throws.
class TIniCall
{
public:
    explicit TIniCall(const QString &iniName) : m_file(std::make_unique<TIniFile>(iniName))
    {
        INIFile = m_file.get();
    }
    ~TIniCall() { INIFile = nullptr; }
    TIniCall(const TIniCall &) = delete;
    TIniCall &operator=(const TIniCall &) = delete;
    TIniFile *operator->() const { return m_file.get(); }

private:
    std::unique_ptr<TIniFile> m_file;
};

} // namespace

void jxtINIReadSections(const QString &iniName, TStrings *list)
{
    TIniCall ini(iniName);
    ini->ReadSections(list);
}

void jxtINIReadSection(const QString &iniName, const QString &section, TStrings *list)
{
    TIniCall ini(iniName);
    ini->ReadSection(section, list);
}

void jxtINIReadSectionValues(const QString &iniName, const QString &section, TStrings *list)
{
    TIniCall ini(iniName);
    ini->ReadSectionValues(section, list);
}

void jxtINIEraseSection(const QString &iniName, const QString &section)
{
    TIniCall ini(iniName);
    ini->EraseSection(section);
}

QString jxtINIReadString(const QString &iniName, const QString &section, const QString &key,
                         const QString &def)
{
    TIniCall ini(iniName);
    return ini->ReadString(section, key, def);
}

void jxtINIWriteString(const QString &iniName, const QString &section, const QString &key,
                       const QString &value)
{
    TIniCall ini(iniName);
    ini->WriteString(section, key, value);
}

bool jxtINIReadBool(const QString &iniName, const QString &section, const QString &key, bool def)
{
    TIniCall ini(iniName);
    return ini->ReadBool(section, key, def);
}

void jxtINIWriteBool(const QString &iniName, const QString &section, const QString &key, bool value)
{
    TIniCall ini(iniName);
    ini->WriteBool(section, key, value);
}

int jxtINIReadInteger(const QString &iniName, const QString &section, const QString &key, int def)
{
    TIniCall ini(iniName);
    QString text = ini->ReadString(section, key, QString::number(def));
    if (text.isEmpty())
        text = QStringLiteral("0");
    return StrToInt(text);
}

void jxtINIWriteInteger(const QString &iniName, const QString &section, const QString &key,
                        int value)
{
    TIniCall ini(iniName);
    ini->WriteInteger(section, key, value);
}

void jxtINISaveWinPos(const QString &iniName, const QString &prefix, TForm *form,
                      TWinPosStyle style)
{
    if (style == swpNone || !form)
        return;
    TIniCall ini(iniName);
    // Position and size are those of the normal window, not of a minimised or maximised one.
    // They are taken before the form is made normal: the window system applies the restored
    // geometry later, so right after the change the form may still report the maximised one.
    const TRect bounds = form->NormalBoundsRect();
    form->SetWindowState(wsNormal);
    ini->WriteInteger(kWinPosSection, prefix + QStringLiteral("_Top"), bounds.Top);
    ini->WriteInteger(kWinPosSection, prefix + QStringLiteral("_Left"), bounds.Left);
    if (style == swpSizePosition) {
        ini->WriteInteger(kWinPosSection, prefix + QStringLiteral("_Height"), bounds.Height());
        ini->WriteInteger(kWinPosSection, prefix + QStringLiteral("_Width"), bounds.Width());
    }
}

void jxtINILoadWinPos(const QString &iniName, const QString &prefix, TForm *form,
                      TWinPosStyle style)
{
    if (style == swpNone || !form)
        return;
    TIniCall ini(iniName);
    // The form is placed here, so showing it must not move it again.
    form->SetPosition(poDesigned);
    form->SetTop(ini->ReadInteger(kWinPosSection, prefix + QStringLiteral("_Top"), form->Top()));
    form->SetLeft(ini->ReadInteger(kWinPosSection, prefix + QStringLiteral("_Left"), form->Left()));
    if (style == swpSizePosition) {
        form->SetHeight(
            ini->ReadInteger(kWinPosSection, prefix + QStringLiteral("_Height"), form->Height()));
        form->SetWidth(
            ini->ReadInteger(kWinPosSection, prefix + QStringLiteral("_Width"), form->Width()));
    }
}

void jxtINISaveFont(const QString &iniName, const QString &section, const QString &prefix,
                    TFont *font)
{
    if (!font)
        return;
    TIniCall ini(iniName);
    ini->WriteString(section, prefix + QStringLiteral("_Name"), font->Name());
    ini->WriteInteger(section, prefix + QStringLiteral("_Size"), font->Size());
    ini->WriteInteger(section, prefix + QStringLiteral("_Color"), font->Color());
    ini->WriteString(section, prefix + QStringLiteral("_Style"), FontStyleLetters(font->Style()));
}

bool jxtINILoadFont(const QString &iniName, const QString &section, const QString &prefix,
                    TFont *font)
{
    if (!font)
        return false;
    TIniCall ini(iniName);
    const QString nameKey = prefix + QStringLiteral("_Name");
    if (ini->ReadString(section, nameKey, QString()).isEmpty())
        return false;
    font->SetName(ini->ReadString(section, nameKey, font->Name()));
    font->SetSize(ini->ReadInteger(section, prefix + QStringLiteral("_Size"), font->Size()));
    font->SetColor(ini->ReadInteger(section, prefix + QStringLiteral("_Color"), font->Color()));
    const QString letters = ini->ReadString(section, prefix + QStringLiteral("_Style"), QString());
    if (!letters.isEmpty())
        font->SetStyle(FontStyleFromLetters(letters));
    return true;
}

} // namespace jxt
