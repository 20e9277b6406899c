#include "stress/number_nouns.h"

#include "stress/russian_letters.h"

#include <QHash>

#include <vector>

namespace {

struct NounData
{
    // Six forms, alternatives after "/"; the first is the one written for an
    // abbreviation ("1941-1945 гг." -> "годов", where a count says "лет").
    const char16_t *singular;
    const char16_t *plural;
    const char16_t *locative;
    WordGender gender;
    unsigned uses;
    bool animate = false;
};

constexpr WordGender M = WordGender::Masculine;
constexpr WordGender F = WordGender::Feminine;
constexpr WordGender N = WordGender::Neuter;
constexpr unsigned Roman = TakesRoman | Numbered;

// Each noun with all its forms; the ones that take Roman numerals are
// those books write them with.
const NounData kNouns[] = {
    {u"год года году год годом годе", u"годы/года годов/лет годам годы/года годами годах", u"году", M, Numbered | Year},
    {u"век века веку век веком веке", u"века веков векам века веками веках", nullptr, M, Roman},
    {u"столетие столетия столетию столетие столетием столетии",
     u"столетия столетий столетиям столетия столетиями столетиях", nullptr, N, Roman},
    {u"тысячелетие тысячелетия тысячелетию тысячелетие тысячелетием тысячелетии",
     u"тысячелетия тысячелетий тысячелетиям тысячелетия тысячелетиями тысячелетиях", nullptr, N, Roman},
    {u"съезд съезда съезду съезд съездом съезде", u"съезды съездов съездам съезды съездами съездах", nullptr, M, Roman},
    {u"созыв созыва созыву созыв созывом созыве", u"созывы созывов созывам созывы созывами созывах", nullptr, M, Roman},
    {u"конгресс конгресса конгрессу конгресс конгрессом конгрессе",
     u"конгрессы конгрессов конгрессам конгрессы конгрессами конгрессах", nullptr, M, Roman},
    {u"интернационал интернационала интернационалу интернационал интернационалом интернационале",
     u"интернационалы интернационалов интернационалам интернационалы интернационалами интернационалах", nullptr, M,
     Roman},
    {u"собор собора собору собор собором соборе", u"соборы соборов соборам соборы соборами соборах", nullptr, M, Roman},
    {u"дума думы думе думу думой думе", u"думы дум думам думы думами думах", nullptr, F, Roman},
    {u"глава главы главе главу главой/главою главе", u"главы глав главам главы главами главах", nullptr, F, Roman},
    {u"часть части части часть частью части", u"части частей частям части частями частях", nullptr, F, Roman},
    {u"том тома тому том томом томе", u"тома томов томам тома томами томах", nullptr, M, Roman},
    {u"книга книги книге книгу книгой книге", u"книги книг книгам книги книгами книгах", nullptr, F, Roman},
    {u"раздел раздела разделу раздел разделом разделе", u"разделы разделов разделам разделы разделами разделах",
     nullptr, M, Roman},
    {u"отдел отдела отделу отдел отделом отделе", u"отделы отделов отделам отделы отделами отделах", nullptr, M, Roman},
    {u"акт акта акту акт актом акте", u"акты актов актам акты актами актах", nullptr, M, Roman},
    {u"сцена сцены сцене сцену сценой сцене", u"сцены сцен сценам сцены сценами сценах", nullptr, F, Roman},
    {u"явление явления явлению явление явлением явлении", u"явления явлений явлениям явления явлениями явлениях",
     nullptr, N, Roman},
    {u"действие действия действию действие действием действии",
     u"действия действий действиям действия действиями действиях", nullptr, N, Roman},
    {u"картина картины картине картину картиной картине", u"картины картин картинам картины картинами картинах",
     nullptr, F, Roman},
    {u"песнь песни песни песнь песнью песни", u"песни песней песням песни песнями песнях", nullptr, F, Roman},
    {u"степень степени степени степень степенью степени", u"степени степеней степеням степени степенями степенях",
     nullptr, F, Roman},
    {u"класс класса классу класс классом классе", u"классы классов классам классы классами классах", nullptr, M, Roman},
    {u"курс курса курсу курс курсом курсе", u"курсы курсов курсам курсы курсами курсах", nullptr, M, Roman},
    {u"этап этапа этапу этап этапом этапе", u"этапы этапов этапам этапы этапами этапах", nullptr, M, Roman},
    {u"тур тура туру тур туром туре", u"туры туров турам туры турами турах", nullptr, M, Roman},
    {u"квартал квартала кварталу квартал кварталом квартале",
     u"кварталы кварталов кварталам кварталы кварталами кварталах", nullptr, M, Roman},
    {u"разряд разряда разряду разряд разрядом разряде", u"разряды разрядов разрядам разряды разрядами разрядах",
     nullptr, M, Roman},
    {u"категория категории категории категорию категорией категории",
     u"категории категорий категориям категории категориями категориях", nullptr, F, Roman},
    {u"группа группы группе группу группой группе", u"группы групп группам группы группами группах", nullptr, F, Roman},
    {u"война войны войне войну войной войне", u"войны войн войнам войны войнами войнах", nullptr, F, Roman},
    {u"полугодие полугодия полугодию полугодие полугодием полугодии",
     u"полугодия полугодий полугодиям полугодия полугодиями полугодиях", nullptr, N, Roman},
    {u"игры игр играм игры играми играх", u"игры игр играм игры играми играх", nullptr, N, Roman | PluralOnly},
    // Numbered things said with Arabic numbers.
    {u"число числа числу число числом числе", u"числа чисел числам числа числами числах", nullptr, N, Numbered},
    {u"этаж этажа этажу этаж этажом этаже", u"этажи этажей этажам этажи этажами этажах", nullptr, M, Numbered},
    {u"страница страницы странице страницу страницей странице",
     u"страницы страниц страницам страницы страницами страницах", nullptr, F, Numbered},
    {u"место места месту место местом месте", u"места мест местам места местами местах", nullptr, N, Numbered},
    {u"ряд ряда ряду ряд рядом ряде", u"ряды рядов рядам ряды рядами рядах", u"ряду", M, Numbered},
    {u"номер номера номеру номер номером номере", u"номера номеров номерам номера номерами номерах", nullptr, M,
     Numbered},
    {u"пункт пункта пункту пункт пунктом пункте", u"пункты пунктов пунктам пункты пунктами пунктах", nullptr, M,
     Numbered},
    {u"параграф параграфа параграфу параграф параграфом параграфе",
     u"параграфы параграфов параграфам параграфы параграфами параграфах", nullptr, M, Numbered},
    {u"статья статьи статье статью статьей/статьею статье", u"статьи статей статьям статьи статьями статьях", nullptr,
     F, Numbered},
    {u"серия серии серии серию серией серии", u"серии серий сериям серии сериями сериях", nullptr, F, Numbered},
    {u"сезон сезона сезону сезон сезоном сезоне", u"сезоны сезонов сезонам сезоны сезонами сезонах", nullptr, M,
     Numbered},
    {u"выпуск выпуска выпуску выпуск выпуском выпуске", u"выпуски выпусков выпускам выпуски выпусками выпусках",
     nullptr, M, Numbered},
    {u"полк полка полку полк полком полке", u"полки полков полкам полки полками полках", u"полку", M, Numbered},
    {u"батальон батальона батальону батальон батальоном батальоне",
     u"батальоны батальонов батальонам батальоны батальонами батальонах", nullptr, M, Numbered},
    {u"рота роты роте роту ротой роте", u"роты рот ротам роты ротами ротах", nullptr, F, Numbered},
    {u"армия армии армии армию армией армии", u"армии армий армиям армии армиями армиях", nullptr, F, Numbered},
    {u"дивизия дивизии дивизии дивизию дивизией дивизии", u"дивизии дивизий дивизиям дивизии дивизиями дивизиях",
     nullptr, F, Numbered},
    {u"бригада бригады бригаде бригаду бригадой бригаде", u"бригады бригад бригадам бригады бригадами бригадах",
     nullptr, F, Numbered},
    {u"дом дома дому дом домом доме", u"дома домов домам дома домами домах", nullptr, M, Numbered},
    {u"квартира квартиры квартире квартиру квартирой квартире",
     u"квартиры квартир квартирам квартиры квартирами квартирах", nullptr, F, Numbered},
    {u"палата палаты палате палату палатой палате", u"палаты палат палатам палаты палатами палатах", nullptr, F,
     Numbered},
    {u"школа школы школе школу школой школе", u"школы школ школам школы школами школах", nullptr, F, Numbered},
    {u"вагон вагона вагону вагон вагоном вагоне", u"вагоны вагонов вагонам вагоны вагонами вагонах", nullptr, M,
     Numbered},
    // Things counted: a cardinal unless the form allows only an ordinal ("на 5 минуте").
    {u"день дня дню день днём дне", u"дни дней дням дни днями днях", nullptr, M, 0},
    {u"час часа часу час часом часе", u"часы часов часам часы часами часах", u"часу", M, 0},
    {u"минута минуты минуте минуту минутой минуте", u"минуты минут минутам минуты минутами минутах", nullptr, F, 0},
    {u"секунда секунды секунде секунду секундой секунде", u"секунды секунд секундам секунды секундами секундах",
     nullptr, F, 0},
    {u"неделя недели неделе неделю неделей неделе", u"недели недель неделям недели неделями неделях", nullptr, F, 0},
    {u"месяц месяца месяцу месяц месяцем месяце", u"месяцы месяцев месяцам месяцы месяцами месяцах", nullptr, M, 0},
    {u"человек человека человеку человека человеком человеке",
     u"люди человек/людей людям/человекам людей людьми/человеками людях/человеках", nullptr, M, 0, true},
    {u"солдат солдата солдату солдата солдатом солдате", u"солдаты солдат солдатам солдат солдатами солдатах", nullptr,
     M, 0, true},
    {u"раз раза разу раз разом разе", u"разы раз разам разы разами разах", nullptr, M, 0},
    {u"рубль рубля рублю рубль рублём рубле", u"рубли рублей рублям рубли рублями рублях", nullptr, M, 0},
    {u"копейка копейки копейке копейку копейкой копейке", u"копейки копеек копейкам копейки копейками копейках",
     nullptr, F, 0},
    {u"доллар доллара доллару доллар долларом долларе", u"доллары долларов долларам доллары долларами долларах",
     nullptr, M, 0},
    {u"метр метра метру метр метром метре", u"метры метров метрам метры метрами метрах", nullptr, M, 0},
    {u"километр километра километру километр километром километре",
     u"километры километров километрам километры километрами километрах", nullptr, M, 0},
    {u"сантиметр сантиметра сантиметру сантиметр сантиметром сантиметре",
     u"сантиметры сантиметров сантиметрам сантиметры сантиметрами сантиметрах", nullptr, M, 0},
    {u"миллиметр миллиметра миллиметру миллиметр миллиметром миллиметре",
     u"миллиметры миллиметров миллиметрам миллиметры миллиметрами миллиметрах", nullptr, M, 0},
    {u"верста версты версте версту верстой версте", u"вёрсты вёрст верстам вёрсты верстами верстах", nullptr, F, 0},
    {u"шаг шага шагу шаг шагом шаге", u"шаги шагов шагам шаги шагами шагах", nullptr, M, 0},
    {u"грамм грамма грамму грамм граммом грамме", u"граммы граммов/грамм граммам граммы граммами граммах", nullptr, M,
     0},
    {u"килограмм килограмма килограмму килограмм килограммом килограмме",
     u"килограммы килограммов/килограмм килограммам килограммы килограммами килограммах", nullptr, M, 0},
    {u"тонна тонны тонне тонну тонной тонне", u"тонны тонн тоннам тонны тоннами тоннах", nullptr, F, 0},
    {u"литр литра литру литр литром литре", u"литры литров литрам литры литрами литрах", nullptr, M, 0},
    {u"процент процента проценту процент процентом проценте",
     u"проценты процентов процентам проценты процентами процентах", nullptr, M, 0},
    {u"градус градуса градусу градус градусом градусе", u"градусы градусов градусам градусы градусами градусах",
     nullptr, M, 0},
    {u"штука штуки штуке штуку штукой штуке", u"штуки штук штукам штуки штуками штуках", nullptr, F, 0},
    {u"тысяча тысячи тысяче тысячу тысячей/тысячью тысяче", u"тысячи тысяч тысячам тысячи тысячами тысячах", nullptr, F,
     0},
    {u"миллион миллиона миллиону миллион миллионом миллионе",
     u"миллионы миллионов миллионам миллионы миллионами миллионах", nullptr, M, 0},
    {u"миллиард миллиарда миллиарду миллиард миллиардом миллиарде",
     u"миллиарды миллиардов миллиардам миллиарды миллиардами миллиардах", nullptr, M, 0},
};

const char16_t *const kMonthGenitives[] = {u"января", u"февраля", u"марта",    u"апреля",  u"мая",    u"июня",
                                           u"июля",   u"августа", u"сентября", u"октября", u"ноября", u"декабря"};

struct Table
{
    std::vector<NumberNoun> nouns; // never grows after the forms point into it
    QHash<QString, NounForm> forms;
    const NumberNoun *year = nullptr;
    const NumberNoun *century = nullptr;
};

void addForms(Table &table, const NumberNoun *noun, const QStringList &forms, bool plural)
{
    for (int c = 0; c < kGrammaticalCaseCount; ++c) {
        for (const QString &alternative : forms.at(c).split(u'/')) {
            NounForm &form = table.forms[foldedRussianWord(alternative)];
            form.noun = noun;
            const NounReading reading{GrammaticalCase(c), plural, false};
            bool known = false;
            for (const NounReading &r : std::as_const(form.readings))
                known = known || (r.grammaticalCase == reading.grammaticalCase && r.plural == reading.plural);
            if (!known)
                form.readings.append(reading);
        }
    }
}

Table makeTable()
{
    Table table;
    table.nouns.reserve(std::size(kNouns));
    for (const NounData &data : kNouns) {
        NumberNoun noun;
        noun.singular = QString::fromUtf16(data.singular).split(u' ');
        noun.plural = QString::fromUtf16(data.plural).split(u' ');
        noun.locative = data.locative ? QString::fromUtf16(data.locative) : QString();
        noun.gender = data.gender;
        noun.animate = data.animate;
        noun.uses = data.uses;
        table.nouns.push_back(noun);
    }
    for (const NumberNoun &noun : table.nouns) {
        if (!(noun.uses & PluralOnly))
            addForms(table, &noun, noun.singular, false);
        addForms(table, &noun, noun.plural, true);
        if (!noun.locative.isEmpty())
            table.forms[foldedRussianWord(noun.locative)].readings.append(
                {GrammaticalCase::Prepositional, false, true});
        if (noun.singular.first() == u"год")
            table.year = &noun;
        if (noun.singular.first() == u"век")
            table.century = &noun;
    }
    return table;
}

const Table &table()
{
    static const Table kTable = makeTable();
    return kTable;
}

} // namespace

QString NumberNoun::form(GrammaticalCase c, bool inPlural, bool inLocative) const
{
    if (inLocative && c == GrammaticalCase::Prepositional && !inPlural && !locative.isEmpty())
        return locative;
    const QStringList &forms = inPlural ? plural : singular;
    const QString &all = forms.at(int(c));
    const qsizetype slash = all.indexOf(u'/');
    return slash < 0 ? all : all.left(slash);
}

const NounForm *numberNounForm(QStringView word)
{
    const Table &t = table();
    const auto it = t.forms.constFind(word.toString());
    return it == t.forms.constEnd() ? nullptr : &it.value();
}

bool isMonthGenitive(QStringView word)
{
    for (const char16_t *month : kMonthGenitives)
        if (word == QStringView(month))
            return true;
    return false;
}

const NumberNoun *abbreviatedNoun(QStringView word, bool *plural)
{
    const Table &t = table();
    *plural = word.size() == 2;
    if (word == u"г" || word == u"гг")
        return t.year;
    if (word == u"в" || word == u"вв")
        return t.century;
    return nullptr;
}
