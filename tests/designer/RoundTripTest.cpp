// SPDX-License-Identifier: MIT
// A form with one of each palette component, every property Designer offers for it set to a
// value other than the one a fresh component has: saved by Designer's own writer, the form
// reads back the same through QUiLoader and through the code uic generates from it.
// (QFormBuilder of this Qt writes no enumeration, flag or picture property of any widget, and
// writes the others in no fixed order, so it cannot keep such a form.)
//
// Run with JXT_WRITE_ROUND_TRIP_FORM=1 to write the form Designer saves to
// tests/data/designer/AllComponentsForm.ui, which the build compiles with uic.
#include "DesignerCore.h"

#include "DesignerValues.h"
#include "JXTaskMenu.h"
#include "package/JXDesignerWidgets.h"
#include "package/JXTools.h"
#include "ui_AllComponentsForm.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QPixmap>
#include <QUiLoader>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>

#include <map>
#include <memory>

using namespace jxt;

namespace {

const QString kPicture = QStringLiteral(":/roundtrip/picture.bmp");

/// Properties whose setter ignores every value (they report a state of the component).
const QStringList kIgnoredOnWrite = {QStringLiteral("About_JXTools"), QStringLiteral("PicCount"),
                                     QStringLiteral("IconCount")};

struct TValue
{
    QString property;
    QVariant value;
};

struct TComponentValues
{
    QString cls;
    std::vector<TValue> values;
};

bool Same(const QVariant &a, const QVariant &b)
{
    if (a.metaType() == QMetaType::fromType<QPixmap>() ||
        b.metaType() == QMetaType::fromType<QPixmap>())
        return a.value<QPixmap>().toImage().convertToFormat(QImage::Format_RGB32) ==
               b.value<QPixmap>().toImage().convertToFormat(QImage::Format_RGB32);
    if (a.metaType() == QMetaType::fromType<QFont>()) {
        const QFont fa = a.value<QFont>(), fb = b.value<QFont>();
        return fa.family() == fb.family() && fa.pointSize() == fb.pointSize() &&
               fa.bold() == fb.bold() && fa.italic() == fb.italic() &&
               fa.underline() == fb.underline() && fa.strikeOut() == fb.strikeOut();
    }
    if (a.metaType() == QMetaType::fromType<double>())
        return qFuzzyCompare(a.toDouble(), b.toDouble());
    return a == b;
}

QString Describe(const QVariant &v)
{
    if (v.metaType() == QMetaType::fromType<QPixmap>())
        return QStringLiteral("pixmap %1x%2")
            .arg(v.value<QPixmap>().width())
            .arg(v.value<QPixmap>().height());
    if (v.metaType() == QMetaType::fromType<QColor>())
        return v.value<QColor>().name(QColor::HexArgb);
    if (v.metaType() == QMetaType::fromType<QStringList>())
        return v.toStringList().join(QLatin1Char('|'));
    return v.toString();
}

/// Values to try for a property, the first a fresh component does not have first.
QList<QVariant> Candidates(const QMetaProperty &p, const QVariant &fresh, int serial)
{
    const QString name = QString::fromLatin1(p.name());
    if (p.isFlagType()) {
        QList<QVariant> list;
        const QMetaEnum e = p.enumerator();
        for (int k = 0; k < e.keyCount(); ++k) {
            const int bits = fresh.toInt() ^ e.value(k);
            if (bits != 0)
                list << QVariant(p.metaType(), &bits);
        }
        return list;
    }
    if (p.isEnumType()) {
        QList<QVariant> list;
        const QMetaEnum e = p.enumerator();
        for (int k = 0; k < e.keyCount(); ++k) {
            const int value = e.value((k + 1 + e.keyCount() - 1) % e.keyCount());
            if (value != fresh.toInt())
                list << QVariant(p.metaType(), &value);
        }
        return list;
    }
    switch (p.metaType().id()) {
    case QMetaType::Bool: return {!fresh.toBool()};
    case QMetaType::Int: {
        const int v = fresh.toInt();
        // A timer of a minute never fires while the test runs: a running animation would move
        // its current frame between reading and comparing.
        if (name.endsWith(QLatin1String("Interval")))
            return {60000, v - 2};
        return {v + 3, v - 2, 7, 50, 1, v + 100};
    }
    case QMetaType::Double: return {fresh.toDouble() + 1.5};
    case QMetaType::QChar: return {QVariant(QChar(u'q')), QVariant(QChar(u'z'))};
    case QMetaType::QString: {
        if (name == QLatin1String("PicPattern"))
            return {QStringLiteral("/tmp/jxt-round-trip\\*.BMP")};
        if (name == QLatin1String("INIFileName"))
            return {QStringLiteral("round-trip.ini")};
        if (name == QLatin1String("SelFont"))
            return {QStringLiteral("Liberation Mono")};
        if (designer::PathPropertyNames().contains(name))
            return {QStringLiteral("/tmp/jxt-round-trip/") + name};
        return {QStringLiteral("%1 %2").arg(name).arg(serial)};
    }
    case QMetaType::QStringList:
        return {QStringList{QStringLiteral("eins"), QStringLiteral("zwei")}};
    case QMetaType::QColor:
        return serial % 2 == 0
                   ? QList<QVariant>{ui::DesignerColor(clBtnFace), QColor(0x12, 0x34, 0x56)}
                   : QList<QVariant>{QColor(0x12, 0x34, 0x56), ui::DesignerColor(clInfoBk)};
    case QMetaType::QFont: {
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPointSize(13);
        font.setBold(true);
        return {font};
    }
    case QMetaType::QPixmap: return {QPixmap(kPicture)};
    default: return {};
    }
}

/// For each palette class, every property Designer offers with a value a fresh component does
/// not have; each value is one the component takes as it is. The values are set one after the
/// other in declaration order, as forms set them, and read back at the end.
const std::vector<TComponentValues> &RoundTripValues()
{
    static const std::vector<TComponentValues> all = [] {
        std::vector<TComponentValues> result;
        int serial = 0;
        for (const QString &cls : JXTools::PaletteClassNames()) {
            std::unique_ptr<QWidget> fresh(ui::WidgetFactories().at(cls)(nullptr));
            std::unique_ptr<QWidget> w(ui::WidgetFactories().at(cls)(nullptr));
            const QMetaObject *meta = w->metaObject();
            TComponentValues entry{cls, {}};
            for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount();
                 ++i) {
                const QMetaProperty p = meta->property(i);
                const QString name = QString::fromLatin1(p.name());
                if (meta->indexOfProperty(p.name()) != i || !p.isDesignable() || !p.isWritable() ||
                    kIgnoredOnWrite.contains(name))
                    continue;
                const QVariant freshValue = p.read(fresh.get());
                bool taken = false;
                for (const QVariant &candidate : Candidates(p, freshValue, ++serial)) {
                    p.write(w.get(), candidate);
                    const QVariant now = p.read(w.get());
                    if (Same(now, candidate) && !Same(now, freshValue)) {
                        taken = true;
                        break;
                    }
                }
                EXPECT_TRUE(taken)
                    << "no other value taken by " << cls.toStdString() << "." << name.toStdString();
                if (taken)
                    entry.values.push_back({name, QVariant()});
            }
            // What the component holds once every value is set.
            for (TValue &v : entry.values) {
                const QMetaProperty p =
                    meta->property(meta->indexOfProperty(v.property.toLatin1()));
                v.value = p.read(w.get());
            }
            result.push_back(std::move(entry));
        }
        return result;
    }();
    return all;
}

QString ObjectName(const QString &cls)
{
    return cls.mid(1);
}

/// Checks that every component of the loaded form holds its values; returns how many did.
int ExpectValues(QWidget *form, bool withPictures)
{
    int kept = 0;
    for (const TComponentValues &entry : RoundTripValues()) {
        QWidget *w = form->findChild<QWidget *>(ObjectName(entry.cls));
        EXPECT_NE(w, nullptr) << entry.cls.toStdString();
        if (!w)
            continue;
        for (const TValue &v : entry.values) {
            if (!withPictures && v.value.metaType() == QMetaType::fromType<QPixmap>())
                continue;
            const QVariant loaded = w->property(v.property.toLatin1().constData());
            const bool same = Same(loaded, v.value);
            EXPECT_TRUE(same) << entry.cls.toStdString() << "." << v.property.toStdString() << ": "
                              << Describe(loaded).toStdString() << " instead of "
                              << Describe(v.value).toStdString();
            kept += same ? 1 : 0;
        }
    }
    return kept;
}

int ValueCount(bool withPictures)
{
    int count = 0;
    for (const TComponentValues &entry : RoundTripValues())
        for (const TValue &v : entry.values)
            count += withPictures || v.value.metaType() != QMetaType::fromType<QPixmap>() ? 1 : 0;
    return count;
}

/// The form as Designer's writer saves it after the values were set in a form window.
QString SavedByDesigner()
{
    QString body;
    int x = 0;
    for (const QString &cls : JXTools::PaletteClassNames()) {
        body += QStringLiteral("  <widget class=\"jxt::ui::%1\" name=\"%2\">\n"
                               "   <property name=\"geometry\">\n"
                               "    <rect><x>%3</x><y>%4</y><width>70</width><height>50</height>"
                               "</rect>\n   </property>\n  </widget>\n")
                    .arg(cls, ObjectName(cls))
                    .arg(10 + (x % 6) * 80)
                    .arg(10 + (x / 6) * 60);
        ++x;
    }
    QString text = test::FormText(body);
    text.replace(QStringLiteral("<class>Form</class>"),
                 QStringLiteral("<class>AllComponentsForm</class>"));
    text.replace(QStringLiteral("name=\"Form\""), QStringLiteral("name=\"AllComponentsForm\""));
    test::TFormWindow fw = test::OpenForm(text);
    for (const TComponentValues &entry : RoundTripValues()) {
        QWidget *w = test::FindWidget(fw.get(), ObjectName(entry.cls));
        EXPECT_NE(w, nullptr);
        if (!w)
            continue;
        QDesignerPropertySheetExtension *sheet = test::PropertySheet(w);
        for (const TValue &v : entry.values) {
            const int index = sheet->indexOf(v.property);
            QVariant value = v.value;
            const bool translatable = !designer::KeptUntranslated(entry.cls, v.property);
            if (value.metaType() == QMetaType::fromType<QString>())
                value = designer::SheetText(sheet, index, value.toString(), translatable);
            else if (value.metaType() == QMetaType::fromType<QStringList>())
                value = designer::SheetTextList(sheet, index, value.toStringList(), translatable);
            else if (value.metaType() == QMetaType::fromType<QPixmap>())
                value = designer::SheetPixmap(sheet, index, kPicture);
            fw->cursor()->setWidgetProperty(w, v.property, value);
        }
    }
    return fw->contents();
}

} // namespace

TEST(DesignerRoundTrip, EveryPropertyOfEveryComponentSurvivesDesignersSaveAndQUiLoader)
{
    ASSERT_EQ(RoundTripValues().size(), 29U);
    const QString saved = SavedByDesigner();
    if (qEnvironmentVariableIsSet("JXT_WRITE_ROUND_TRIP_FORM")) {
        QFile out(QStringLiteral(JXT_TEST_DATA_DIR "/designer/AllComponentsForm.ui"));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(saved.toUtf8());
    }
    QByteArray bytes = saved.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QUiLoader loader;
    std::unique_ptr<QWidget> form(loader.load(&buffer));
    ASSERT_NE(form, nullptr) << loader.errorString().toStdString();
    const int kept = ExpectValues(form.get(), true);
    EXPECT_EQ(kept, ValueCount(true));
    RecordProperty("PropertiesKept", kept);
    std::printf("round trip through Designer's writer and QUiLoader: %d of %d properties kept\n",
                kept, ValueCount(true));
}

TEST(DesignerRoundTrip, CodeFromUicBuildsTheSameForm)
{
    QWidget form;
    Ui::AllComponentsForm ui;
    ui.setupUi(&form);
    const int kept = ExpectValues(&form, true);
    EXPECT_EQ(kept, ValueCount(true));
    std::printf("round trip through uic: %d of %d properties kept\n", kept, ValueCount(true));
}
