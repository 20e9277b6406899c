#include "recording/speech/program_stress_marks.h"

#include "recording/speech/stress_marks.h"

QString withStressForm(const QString &text, StressForm form)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const bool marksVowel = isStressMark(c) && !out.isEmpty() && isRussianVowel(out.back());
        if (!marksVowel) {
            out.append(c);
            continue;
        }
        switch (form) {
        case StressForm::PlusAfter: out.append(u'+'); break;
        case StressForm::PlusBefore: out.insert(out.size() - 1, u'+'); break;
        case StressForm::CombiningAcute: out.append(QChar(0x0301)); break;
        case StressForm::Removed: break;
        }
    }
    return out;
}
