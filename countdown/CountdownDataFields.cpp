#include "countdown/CountdownDataFields.h"

#include "countdown/BareFileName.h"
#include "countdown/clsCountdown.h"
#include "foundation/OleDate.h"
#include "foundation/VbValues.h"
#include "platform/VbError.h"

#include <QHash>

namespace CountdownDataFields {
namespace {

using C = clsCountdown;

template <auto Get>
QString textOut(const C& c, double) { return (c.*Get)(); }
template <auto Get>
QString flagOut(const C& c, double) { return vb::boolText((c.*Get)()); }
template <auto Get>
QString wholeOut(const C& c, double) { return QString::number((c.*Get)()); }
template <auto Get>
QString decimalOut(const C& c, double) { return vb::singleText((c.*Get)()); }
template <auto Get>
QString dateOut(const C& c, double) { return vb::dateText((c.*Get)()); }

// "dd mmm, yyyy hh:mm:ss Am/Pm": the 12-hour clock with the marker in the letter case of the
// pattern, "Am" or "Pm", which the general formatter does not offer.
QString creationDateOut(const C&, double writtenAt)
{
    return vb::format(writtenAt, QStringLiteral("dd mmm, yyyy hh:mm:ss Am/Pm"));
}

// The file keeps the name only; the folder is the countdown's DatabaseLocation.
QString fileNameOut(const C& c, double)
{
    const QString name = c.CountdownFileName();
    return name.mid(name.lastIndexOf(QLatin1Char('\\')) + 1);
}

template <auto Set>
void textIn(C& c, const QString& v) { (c.*Set)(v); }
template <auto Set>
void flagIn(C& c, const QString& v) { (c.*Set)(vb::cbool(v)); }
template <auto Set>
void longIn(C& c, const QString& v) { (c.*Set)(vb::clng(v)); }
template <auto Set>
void integerIn(C& c, const QString& v) { (c.*Set)(vb::cint(v)); }
template <auto Set>
void decimalIn(C& c, const QString& v) { (c.*Set)(vb::csng(v)); }
// A date the file cannot hold (years 100 to 9999) would be taken here and then fail every
// later save, so it does not convert, like any other text that is not a date.
template <auto Set>
void dateIn(C& c, const QString& v)
{
    const double date = vb::cdate(v);
    if (!vb::fromOleDate(date).isValid())
        throw platform::VbError(platform::vberr::TypeMismatch);
    (c.*Set)(date);
}

// File names are joined to the work folder, so only a bare name (or none) is taken.
template <auto Set>
void fileNameIn(C& c, const QString& v)
{
    if (!v.isEmpty() && !isBareFileName(v))
        throw platform::VbError(platform::vberr::BadFileName);
    (c.*Set)(v);
}

void countDirectionIn(C& c, const QString& v) { c.setCountDirection(vb::cint(vb::val(v))); }
void saveFormatIn(C& c, const QString& v) { c.setSaveFormat(vb::doubleText(vb::val(v))); }

#define TEXT(P) {QStringLiteral(#P), textOut<&C::P>, textIn<&C::set##P>}
#define FLAG(P) {QStringLiteral(#P), flagOut<&C::P>, flagIn<&C::set##P>}
#define LONG(P) {QStringLiteral(#P), wholeOut<&C::P>, longIn<&C::set##P>}
#define INTEGER(P) {QStringLiteral(#P), wholeOut<&C::P>, integerIn<&C::set##P>}
#define DECIMAL(P) {QStringLiteral(#P), decimalOut<&C::P>, decimalIn<&C::set##P>}
#define FILENAME(P) {QStringLiteral(#P), textOut<&C::P>, fileNameIn<&C::set##P>}

const std::vector<Field> kFields = {
    LONG(CountdownId),
    TEXT(CountdownName),
    LONG(AdvertiserLogoBackColor),
    FILENAME(AdvertiserLogoFileName),
    FLAG(AdvertiserLogoVisible),
    FILENAME(AlarmFileName),
    FLAG(AlarmSound),
    LONG(BackgroundBackColor),
    LONG(BackgroundForeColor),
    TEXT(ContactEmail),
    TEXT(ContactURL),
    TEXT(Copyright),
    {QStringLiteral("CountDirection"), wholeOut<&C::CountDirection>, countDirectionIn},
    {QStringLiteral("CreationDate"), creationDateOut, dateIn<&C::setCreationDate>},
    TEXT(Credit),
    FLAG(CurrentTimeVisible),
    TEXT(Description),
    {QStringLiteral("EventDate"), dateOut<&C::EventDate>, dateIn<&C::setEventDate>},
    TEXT(EventCaption),
    TEXT(EventCaptionFont),
    DECIMAL(EventCaptionFontsize),
    INTEGER(EventCaptionFontItalic),
    INTEGER(EventCaptionFontBold),
    LONG(EventCaptionForeColor),
    LONG(EventCaptionBackColor),
    FLAG(EventCaptionVisible),
    LONG(EventDateBackColor),
    TEXT(EventDateFont),
    DECIMAL(EventDateFontsize),
    INTEGER(EventDateFontItalic),
    INTEGER(EventDateFontBold),
    LONG(EventDateForeColor),
    TEXT(EventDateFormat),
    FLAG(EventDateVisible),
    LONG(EventImageBackColor),
    FILENAME(ImageFileName),
    INTEGER(ImagePos),
    FLAG(ImageVisible),
    FLAG(IntervalDays),
    FLAG(IntervalHours),
    FLAG(IntervalMinutes),
    FLAG(IntervalMonths),
    FLAG(IntervalSeconds),
    FLAG(IntervalWorkDays),
    FLAG(IntervalYears),
    FLAG(OptionIconVisible),
    TEXT(SaveFileName),
    {QStringLiteral("SaveFormat"), textOut<&C::SaveFormat>, saveFormatIn},
    FLAG(SaveToFile),
    FLAG(SoundIconVisible),
    FLAG(StatusBarVisible),
    FLAG(StatusBarURLVisible),
    TEXT(StatusBarURLCaption),
    TEXT(StatusBarURL),
    LONG(TimerDateBackColor),
    TEXT(TimerDateFont),
    DECIMAL(TimerDateFontsize),
    INTEGER(TimerDateFontItalic),
    INTEGER(TimerDateFontBold),
    LONG(TimerDateForeColor),
    FLAG(TimerDateVisible),
    {QStringLiteral("CountdownFileName"), fileNameOut, fileNameIn<&C::setCountdownFileName>},
    TEXT(CountdownName),
    LONG(CountdownType),
    INTEGER(ViewFormat),
    DECIMAL(Top),
    DECIMAL(Height),
    DECIMAL(Width),
    DECIMAL(Left),
    INTEGER(State),
};

#undef TEXT
#undef FLAG
#undef LONG
#undef INTEGER
#undef DECIMAL
#undef FILENAME

} // namespace

const std::vector<Field>& fields() { return kFields; }

const Field* fieldForOpeningTag(const QString& openingTag)
{
    static const QHash<QString, const Field*> byOpeningTag = [] {
        QHash<QString, const Field*> map;
        for (const Field& field : kFields)
            map.insert(QLatin1Char('<') + field.tag + QLatin1Char('>'), &field);
        return map;
    }();
    return byOpeningTag.value(openingTag, nullptr);
}

} // namespace CountdownDataFields
