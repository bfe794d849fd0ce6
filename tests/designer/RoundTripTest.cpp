// SPDX-License-Identifier: MIT
// A form with one of each palette component, every property Designer offers for it set to a
// value other than the one a fresh component has: saved by Designer's own writer, the form
// reads back the same through QUiLoader and through the code uic generates from it. Read
// before the components are loaded, every value is the one saved; once they are loaded, each
// equals what a component given the same values and then loaded holds (a few components work
// out some values from the others when they are loaded).
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

#include <QApplication>
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
#include <optional>

using namespace jxt;

namespace {

const QString kPicture = QStringLiteral(":/roundtrip/picture.bmp");

/// Properties whose setter ignores every value (they report a state of the component).
const QStringList kIgnoredOnWrite = {QStringLiteral("About_JXTools"), QStringLiteral("PicCount"),
                                     QStringLiteral("IconCount")};

struct TValue
{
    QString property;
    QVariant given;  ///< what the component holds once every value is set
    QVariant loaded; ///< what it holds once it has been loaded after that
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

/// The size each component has on the form.
const QSize kSize(70, 50);

/// For each palette class, every property Designer offers with a value a fresh component does
/// not have; each value is one the component takes as it is. The values are set one after the
/// other in declaration order, as forms set them, and read back at the end, then again once
/// the component has been loaded.
const std::vector<TComponentValues> &RoundTripValues()
{
    static const std::vector<TComponentValues> all = [] {
        std::vector<TComponentValues> result;
        int serial = 0;
        for (const QString &cls : JXTools::PaletteClassNames()) {
            // On forms not shown yet, the components are loaded only when the test says so.
            TForm freshForm, form;
            QWidget *fresh = ui::WidgetFactories().at(cls)(&freshForm);
            QWidget *w = ui::WidgetFactories().at(cls)(&form);
            fresh->resize(kSize);
            w->resize(kSize);
            const QMetaObject *meta = w->metaObject();
            TComponentValues entry{cls, {}};
            for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount();
                 ++i) {
                const QMetaProperty p = meta->property(i);
                const QString name = QString::fromLatin1(p.name());
                if (meta->indexOfProperty(p.name()) != i || !p.isDesignable() || !p.isWritable() ||
                    kIgnoredOnWrite.contains(name))
                    continue;
                const QVariant freshValue = p.read(fresh);
                bool taken = false;
                for (const QVariant &candidate : Candidates(p, freshValue, ++serial)) {
                    p.write(w, candidate);
                    const QVariant now = p.read(w);
                    if (Same(now, candidate) && !Same(now, freshValue)) {
                        taken = true;
                        break;
                    }
                }
                EXPECT_TRUE(taken)
                    << "no other value taken by " << cls.toStdString() << "." << name.toStdString();
                if (taken)
                    entry.values.push_back({name, QVariant(), QVariant()});
            }
            for (TValue &v : entry.values)
                v.given = w->property(v.property.toLatin1().constData());
            jxt::Loaded(&form);
            for (TValue &v : entry.values)
                v.loaded = w->property(v.property.toLatin1().constData());
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

enum class TStage { Given, Loaded };

/// A 3D model with a model text is centred in the control once loaded, so its offsets follow
/// the size the control has on the form it was loaded in.
std::optional<QVariant> CentredWhenLoaded(const QString &cls, const QString &property, QWidget *w)
{
    if (cls != QLatin1String("TJX3D"))
        return std::nullopt;
    if (property == QLatin1String("XPosition"))
        return QVariant(w->width() / 2);
    if (property == QLatin1String("YPosition"))
        return QVariant(w->height() / 2);
    return std::nullopt;
}

/// Checks that every component of the form holds its values of a stage; returns how many did.
int ExpectValues(QWidget *form, TStage stage)
{
    int kept = 0;
    for (const TComponentValues &entry : RoundTripValues()) {
        QWidget *w = form->findChild<QWidget *>(ObjectName(entry.cls));
        EXPECT_NE(w, nullptr) << entry.cls.toStdString();
        if (!w)
            continue;
        for (const TValue &v : entry.values) {
            QVariant expected = stage == TStage::Given ? v.given : v.loaded;
            if (stage == TStage::Loaded)
                expected = CentredWhenLoaded(entry.cls, v.property, w).value_or(expected);
            const QVariant read = w->property(v.property.toLatin1().constData());
            const bool same = Same(read, expected);
            EXPECT_TRUE(same) << entry.cls.toStdString() << "." << v.property.toStdString() << ": "
                              << Describe(read).toStdString() << " instead of "
                              << Describe(expected).toStdString();
            kept += same ? 1 : 0;
        }
    }
    return kept;
}

int ValueCount()
{
    int count = 0;
    for (const TComponentValues &entry : RoundTripValues())
        count += int(entry.values.size());
    return count;
}

/// The properties a component works out anew when it is loaded, as "Class.Property".
QStringList WorkedOutWhenLoaded()
{
    QStringList names;
    for (const TComponentValues &entry : RoundTripValues())
        for (const TValue &v : entry.values)
            if (!Same(v.given, v.loaded))
                names << entry.cls + QLatin1Char('.') + v.property;
    return names;
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
    // The components are loaded before anything is changed, as when a person edits the form.
    QApplication::processEvents();
    for (const TComponentValues &entry : RoundTripValues()) {
        QWidget *w = test::FindWidget(fw.get(), ObjectName(entry.cls));
        EXPECT_NE(w, nullptr);
        if (!w)
            continue;
        QDesignerPropertySheetExtension *sheet = test::PropertySheet(w);
        for (const TValue &v : entry.values) {
            const int index = sheet->indexOf(v.property);
            QVariant value = v.given;
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
    const auto load = [&saved](QWidget *parent) {
        QByteArray bytes = saved.toUtf8();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QUiLoader loader;
        QWidget *form = loader.load(&buffer, parent);
        EXPECT_NE(form, nullptr) << loader.errorString().toStdString();
        return form;
    };

    // Inside a form not shown yet, the components are loaded when the test says so.
    TForm holder;
    QWidget *inForm = load(&holder);
    ASSERT_NE(inForm, nullptr);
    const int given = ExpectValues(inForm, TStage::Given);
    EXPECT_EQ(given, ValueCount());
    jxt::Loaded(&holder);
    EXPECT_EQ(ExpectValues(inForm, TStage::Loaded), ValueCount());

    // A plain widget form's components load themselves once the event loop turns.
    std::unique_ptr<QWidget> plain(load(nullptr));
    ASSERT_NE(plain, nullptr);
    QApplication::processEvents();
    const int loaded = ExpectValues(plain.get(), TStage::Loaded);
    EXPECT_EQ(loaded, ValueCount());
    RecordProperty("PropertiesKept", given);
    std::printf("round trip through Designer's writer and QUiLoader: %d of %d properties kept as "
                "saved, %d of %d once loaded on their own\n",
                given, ValueCount(), loaded, ValueCount());
}

TEST(DesignerRoundTrip, CodeFromUicBuildsTheSameForm)
{
    // A form not shown yet loads its components when told: first what the .ui gives, then
    // what the loaded components make of it.
    TForm form;
    Ui::AllComponentsForm ui;
    ui.setupUi(&form);
    const int given = ExpectValues(&form, TStage::Given);
    EXPECT_EQ(given, ValueCount());
    jxt::Loaded(&form);
    const int loaded = ExpectValues(&form, TStage::Loaded);
    EXPECT_EQ(loaded, ValueCount());
    std::printf("round trip through uic: %d of %d properties kept as saved, %d of %d once loaded "
                "(worked out anew when loaded: %s)\n",
                given, ValueCount(), loaded, ValueCount(),
                qPrintable(WorkedOutWhenLoaded().join(QStringLiteral(", "))));
}
