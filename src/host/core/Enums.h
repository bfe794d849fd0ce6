// SPDX-License-Identifier: MIT
// The enumerations the host layer shares among its classes, registered with Qt's meta-object
// system in namespace jxt: QObject::setProperty accepts their enumerator names ("alClient",
// "bvRaised"), forms loaded by QUiLoader or compiled by uic set them by name, and Qt Designer
// offers them as drop-down lists.
//
// A namespace carries one meta-object, so every namespace-level enumeration that a published
// property uses lives here. An enumeration of one component class is declared inside that
// class with Q_ENUM (and namespace-level aliases for its enumerators where code uses them
// bare).
#pragma once

#include "base/Export.h"

#include <QObject>

namespace jxt {

Q_NAMESPACE_EXPORT(JXT_EXPORT)

/// Where a control sits in its parent: free, or docked to a side or the whole client area.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)

enum TMouseButton { mbLeft, mbRight, mbMiddle };
Q_ENUM_NS(TMouseButton)

/// The cut of a bevel: none, sunk, raised, or a blank space of the bevel's width.
enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
Q_ENUM_NS(TPanelBevel)
using TBevelCut = TPanelBevel;

/// Horizontal placement of a caption.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

/// The border of a form or panel (panels know bsNone and bsSingle).
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
Q_ENUM_NS(TBorderStyle)
using TFormBorderStyle = TBorderStyle;

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter
};
Q_ENUM_NS(TPosition)
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
Q_ENUM_NS(TWindowState)
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
Q_ENUM_NS(TFormStyle)
enum TCloseAction { caNone, caHide, caFree, caMinimize };
Q_ENUM_NS(TCloseAction)

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
Q_ENUM_NS(TPenStyle)
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
Q_ENUM_NS(TPenMode)
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
Q_ENUM_NS(TBrushStyle)
enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
Q_ENUM_NS(TFontStyle)
enum TFontPitch { fpDefault, fpVariable, fpFixed };
Q_ENUM_NS(TFontPitch)
enum TTransparentMode { tmAuto, tmFixed };
Q_ENUM_NS(TTransparentMode)

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
Q_ENUM_NS(TBevelShape)
enum TBevelStyle { bsLowered, bsRaised };
Q_ENUM_NS(TBevelStyle)
enum TTextLayout { tlTop, tlCenter, tlBottom };
Q_ENUM_NS(TTextLayout)
enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
Q_ENUM_NS(TBitBtnKind)

/// How a control takes part in dragging: only when code calls BeginDrag, or as soon as the
/// left button is pressed on it.
enum TDragMode { dmManual, dmAutomatic };
Q_ENUM_NS(TDragMode)
/// The state of a drag over a control, as OnDragOver reports it.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
Q_ENUM_NS(TDragState)
/// The direction of a scroll bar.
enum TScrollBarKind { sbHorizontal, sbVertical };
Q_ENUM_NS(TScrollBarKind)
/// What of a form's placement is saved: nothing, position only, position and size.
enum TWinPosStyle { swpNone, swpPosition, swpSizePosition };
Q_ENUM_NS(TWinPosStyle)
/// Which scroll bars a text box shows.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
Q_ENUM_NS(TScrollStyle)

} // namespace jxt
