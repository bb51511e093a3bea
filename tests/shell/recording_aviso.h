#pragma once

#include "store/aviso.h"

#include <QStringList>
#include <deque>
#include <functional>

namespace orvalen::test {

// Records every box as "kind|text|detail" and answers questions from a script (Yes when
// the script is empty). A hook runs while a box is "open", as an operator would act.
class RecordingAviso : public store::Aviso {
public:
    int AVISO(const QString& kind, const QString& text, const QString& detail = {}) override {
        shown.append(kind + QLatin1Char('|') + text + QLatin1Char('|') + detail);
        if (whileOpen) {
            whileOpen();
        }
        if (kind == QLatin1String("!")) {
            return kOk;
        }
        if (answers.empty()) {
            return kYes;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QStringList texts() const {
        QStringList out;
        for (const QString& box : shown) {
            out.append(box.section(QLatin1Char('|'), 1, 1));
        }
        return out;
    }

    QStringList shown;
    std::deque<int> answers;
    std::function<void()> whileOpen;
};

} // namespace orvalen::test
