// SPDX-License-Identifier: MIT
// INI persistence component.
#include "services/JXINI.h"

#include "host/core/Events.h"

#include "host/core/Strings.h"
#include "host/files/IniFiles.h"
#include "host/graphics/Graphics.h"
#include "platform/Paths.h"
#include "util/JxutilFiles.h"

#include <algorithm>

namespace jxt {

const std::array<int, 3> dtWinPosWert = {0, 1, 2};
const std::array<TWindowState, 3> TjxWindowState = {wsNormal, wsMinimized, wsMaximized};
int LetzteAufloesung = 0;

namespace {

const QString kWinPos = QStringLiteral("WinPos");
const QString kDefaultName = QStringLiteral("Default.INI");

/// The stored number of a window state.
int StateNumber(TWindowState state)
{
    const int index = int(state);
    return index >= 0 && index < int(dtWinPosWert.size()) ? dtWinPosWert[std::size_t(index)] : 0;
}

/// The window state of a stored number; numbers outside the table read as normal, so a
/// damaged file cannot set an undefined state.
TWindowState StateOfNumber(int number)
{
    if (number < 0 || number >= int(TjxWindowState.size()))
        return wsNormal;
    return TjxWindowState[std::size_t(number)];
}

bool HasDirectory(const QString &name)
{
    return name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/'));
}

} // namespace

TJXINI::TJXINI(TComponent *owner) : TComponent(owner)
{
    SetINIFileName(kDefaultName);
}

TJXINI::~TJXINI() = default;

void TJXINI::SetCaption(const QString &value)
{
    m_caption = value.isEmpty() ? Name() : value;
}

void TJXINI::SetINIFileName(const QString &value)
{
    m_iniFileName = value.isEmpty() ? kDefaultName : value;
    if (HasDirectory(m_iniFileName))
        m_fullPath = m_iniFileName;
    else
        m_fullPath = jxtAppDir() + platform::ExtractFileName(m_iniFileName);
}

TForm *TJXINI::OwnerForm() const
{
    return qobject_cast<TForm *>(Owner());
}

void TJXINI::ReadINI()
{
    if (m_caption.isEmpty())
        m_caption = Name();
    if (!FireEvent(this, OnReadINI, &TJXINI::onReadINI, this))
        return;
    INILoadWinPos(m_caption, OwnerForm(), m_saveWinPos);
}

void TJXINI::WriteINI()
{
    if (m_caption.isEmpty())
        m_caption = Name();
    INISaveWinPos(m_caption, OwnerForm(), m_saveWinPos);
    FireEvent(this, OnWriteINI, &TJXINI::onWriteINI, this);
}

void TJXINI::INISaveWinPos(const QString &name, TForm *form, TWinPosStyle style)
{
    if (!form)
        return;
    TIniFile ini(m_fullPath);
    const TWindowState state = form->WindowState();
    ini.WriteInteger(kWinPos, name + QStringLiteral("_WindowState"), StateNumber(state));
    if (m_saveLastRes)
        ini.WriteInteger(kWinPos, name + QStringLiteral("_LastRes"), Screen()->Width());
    // A minimised or maximised window has no placement of its own worth keeping; the keys of
    // the last normal placement stay in the file.
    if (state != wsNormal || style == swpNone)
        return;
    ini.WriteInteger(kWinPos, name + QStringLiteral("_Top"), form->Top());
    ini.WriteInteger(kWinPos, name + QStringLiteral("_Left"), form->Left());
    if (style == swpSizePosition) {
        ini.WriteInteger(kWinPos, name + QStringLiteral("_Height"), form->Height());
        ini.WriteInteger(kWinPos, name + QStringLiteral("_Width"), form->Width());
    }
}

void TJXINI::INILoadWinPos(const QString &name, TForm *form, TWinPosStyle style)
{
    if (!form || style == swpNone)
        return;
    TIniFile ini(m_fullPath);
    const QString stateKey = name + QStringLiteral("_WindowState");
    auto storedState = [&] {
        return StateOfNumber(ini.ReadInteger(kWinPos, stateKey, StateNumber(form->WindowState())));
    };
    form->SetWindowState(storedState());
    if (form->WindowState() == wsMaximized)
        return;
    if (m_saveLastRes) {
        LetzteAufloesung = ini.ReadInteger(kWinPos, name + QStringLiteral("_LastRes"), 0);
        if (LetzteAufloesung != Screen()->Width()) {
            // Saved on a screen of another width: the old place may lie off screen.
            if (form->Position() != poScreenCenter)
                form->SetPosition(poScreenCenter);
            return;
        }
    }
    form->SetTop(ini.ReadInteger(kWinPos, name + QStringLiteral("_Top"), form->Top()));
    form->SetLeft(ini.ReadInteger(kWinPos, name + QStringLiteral("_Left"), form->Left()));
    if (style == swpSizePosition) {
        form->SetHeight(ini.ReadInteger(kWinPos, name + QStringLiteral("_Height"), form->Height()));
        form->SetWidth(ini.ReadInteger(kWinPos, name + QStringLiteral("_Width"), form->Width()));
    }
    form->SetWindowState(storedState());
}

void TJXINI::INIWriteBool(const QString &section, const QString &key, bool value)
{
    TIniFile(m_fullPath).WriteBool(section, key, value);
}

void TJXINI::INIWriteInteger(const QString &section, const QString &key, int value)
{
    TIniFile(m_fullPath).WriteInteger(section, key, value);
}

void TJXINI::INIWriteString(const QString &section, const QString &key, const QString &value)
{
    TIniFile(m_fullPath).WriteString(section, key, value);
}

// Every read works on a new TIniFile, which reads the file again whenever it changed on disk
// since it was last read, so values written by another program are seen at once.

bool TJXINI::INIReadBool(const QString &section, const QString &key, bool def)
{
    return TIniFile(m_fullPath).ReadBool(section, key, def);
}

int TJXINI::INIReadInteger(const QString &section, const QString &key, int def)
{
    return TIniFile(m_fullPath).ReadInteger(section, key, def);
}

QString TJXINI::INIReadString(const QString &section, const QString &key, const QString &def)
{
    return TIniFile(m_fullPath).ReadString(section, key, def);
}

void TJXINI::INIReadItems(const QString &section, TStrings *list)
{
    if (!list)
        return;
    list->Clear();
    const TIniFile ini(m_fullPath);
    const int count =
        std::min(ini.ReadInteger(section, QStringLiteral("Anzahl"), 0), kMaxReadItems);
    // Keys past the highest numbered key in the section are all missing; they need no lookup.
    TStringList keys;
    ini.ReadSection(section, &keys);
    int highestKey = -1;
    for (int i = 0; i < keys.Count(); ++i) {
        bool ok = false;
        const int number = keys[i].toInt(&ok);
        if (ok && number > highestKey)
            highestKey = number;
    }
    const QString empty = QStringLiteral("Leer");
    list->BeginUpdate();
    for (int i = 0; i <= count; ++i)
        list->Add(i <= highestKey ? ini.ReadString(section, QString::number(i), empty) : empty);
    list->EndUpdate();
}

void TJXINI::INIReadSection(const QString &section, TStrings *list)
{
    if (list)
        TIniFile(m_fullPath).ReadSection(section, list);
}

void TJXINI::INIReadSectionValues(const QString &section, TStrings *list)
{
    if (list)
        TIniFile(m_fullPath).ReadSectionValues(section, list);
}

void TJXINI::INIReadRealSectionValues(const QString &section, TStrings *list)
{
    if (!list)
        return;
    TIniFile(m_fullPath).ReadSectionValues(section, list);
    for (int i = 0; i < list->Count(); ++i) {
        const QString line = list->Get(i);
        list->Put(i, line.mid(line.indexOf(QLatin1Char('=')) + 1));
    }
}

void TJXINI::KillSection(const QString &section)
{
    TIniFile(m_fullPath).EraseSection(section);
}

void TJXINI::INISaveFont(const QString &section, const QString &prefix, TFont *font)
{
    if (!font)
        return;
    TIniFile ini(m_fullPath);
    const QString letters = FontStyleLetters(font->Style());
    ini.WriteString(section, prefix + QStringLiteral("_Name"), font->Name());
    ini.WriteInteger(section, prefix + QStringLiteral("_Size"), font->Size());
    ini.WriteInteger(section, prefix + QStringLiteral("_Color"), font->Color());
    ini.WriteString(section, prefix + QStringLiteral("_Style"), letters);
}

void TJXINI::INILoadFont(const QString &section, const QString &prefix, TFont *font)
{
    if (!font)
        return;
    const TIniFile ini(m_fullPath);
    font->SetName(ini.ReadString(section, prefix + QStringLiteral("_Name"), font->Name()));
    font->SetSize(ini.ReadInteger(section, prefix + QStringLiteral("_Size"), font->Size()));
    font->SetColor(ini.ReadInteger(section, prefix + QStringLiteral("_Color"), font->Color()));
    const QString styleKey = prefix + QStringLiteral("_Style");
    if (!ini.ValueExists(section, styleKey))
        return;
    font->SetStyle(FontStyleFromLetters(ini.ReadString(section, styleKey, QString())));
}

} // namespace jxt
