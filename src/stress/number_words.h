#pragma once
// Numbers the context makes sure of, written out as Russian words before the
// voice reads the text (it would say every number as a cardinal in the
// nominative, and Roman numerals as English):
//
// - Roman numerals beside the words that take them ("Глава II" -> "Глава
//   вторая", "в XIX веке" -> "в девятнадцатом веке", "в XV–XVI веках",
//   "II мировой войны"), after a ruler's name ("при Петре I" -> "при Петре
//   Первом"), alone on a heading line ("II" -> "Вторая"), or with a written
//   ending ("XIX-го");
// - Arabic numbers before a noun whose form tells the case and whether the
//   number is an ordinal ("в 1812 году", "на 3 странице", "около 100
//   человек", "5 мая", "в 1812 г."), after a preposition of one case with no
//   noun ("с 5 до 10", "около 100"), and with a written ending ("5-й",
//   "1812-м", "в 1990-х", "5-ти");
// - the years the book editor's option spelled as "две тысячи 5" count as
//   2005 ("в две тысячи 5 году" -> "в две тысячи пятом году").
//
// Anything else is left as written: a lone "I", "V." or "CD", a number
// whose reading the words around do not settle ("в 5", "Глава 5", "2
// часа" as the voice says it), decimals, times, scores, phone numbers,
// sums with currency signs and percentages. Voice markers, XML tags,
// entities and phoneme input are never touched. The words written carry no
// stress marks (the stress pass adds them) and have "ё" where the word has
// it.

#include <QString>

QString numbersInRussianWords(const QString &text);
