#include "source_literals.h"

#include <QFile>

namespace orvalen::test {

namespace {

// Undoes the escapes of a literal's body: \n \r \t \" \' \\ and \xNN; others are kept as written.
QString unescaped(const QString& body) {
    QString text;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i] != QLatin1Char('\\') || i + 1 == body.size()) {
            text += body[i];
            continue;
        }
        const QChar next = body[++i];
        switch (next.unicode()) {
        case 'n':
            text += QLatin1Char('\n');
            break;
        case 'r':
            text += QLatin1Char('\r');
            break;
        case 't':
            text += QLatin1Char('\t');
            break;
        case 'x': {
            qsizetype end = i + 1;
            while (end < body.size() && end < i + 3 && isxdigit(body[end].toLatin1())) {
                ++end;
            }
            text += QChar(body.mid(i + 1, end - i - 1).toUShort(nullptr, 16));
            i = end - 1;
            break;
        }
        default:
            text += next;
        }
    }
    return text;
}

class Scanner {
public:
    explicit Scanner(const QString& code) : code_(code) {}

    QList<SourceLiteral> literals() {
        while (at_ < code_.size()) {
            if (skipComment()) {
                continue;
            }
            const QChar c = code_[at_];
            if (c == QLatin1Char('"')) {
                literal();
            } else if (c == QLatin1Char('\'')) {
                characterLiteral();
            } else {
                punctuation(c);
                ++at_;
            }
        }
        return found_;
    }

private:
    bool startsWith(const char* text) const {
        return QStringView(code_).mid(at_).startsWith(QLatin1String(text));
    }

    void advanceTo(qsizetype end) {
        for (; at_ < end && at_ < code_.size(); ++at_) {
            line_ += code_[at_] == QLatin1Char('\n') ? 1 : 0;
        }
    }

    bool skipComment() {
        if (startsWith("//")) {
            const qsizetype end = code_.indexOf(QLatin1Char('\n'), at_);
            advanceTo(end < 0 ? code_.size() : end);
            return true;
        }
        if (startsWith("/*")) {
            const qsizetype end = code_.indexOf(QLatin1String("*/"), at_ + 2);
            advanceTo(end < 0 ? code_.size() : end + 2);
            return true;
        }
        return false;
    }

    void skipSpaceAndComments() {
        while (at_ < code_.size()) {
            if (code_[at_].isSpace()) {
                advanceTo(at_ + 1);
            } else if (!skipComment()) {
                return;
            }
        }
    }

    // A body from the opening quote at at_ to its closing quote; at_ ends after it.
    QString quotedBody(QChar quote) {
        qsizetype end = at_ + 1;
        while (end < code_.size() && code_[end] != quote && code_[end] != QLatin1Char('\n')) {
            end += code_[end] == QLatin1Char('\\') ? 2 : 1;
        }
        const QString body = code_.mid(at_ + 1, end - at_ - 1);
        advanceTo(end + 1);
        return body;
    }

    void literal() {
        SourceLiteral found{QString(), line_, avisoDepth_ > 0 && depth_ >= avisoDepth_};
        while (at_ < code_.size() && code_[at_] == QLatin1Char('"')) {
            found.text += unescaped(quotedBody(QLatin1Char('"')));
            const qsizetype before = at_;
            const int lineBefore = line_;
            skipSpaceAndComments();
            if (at_ >= code_.size() || code_[at_] != QLatin1Char('"')) {
                at_ = before; // what follows is read as code again
                line_ = lineBefore;
            }
        }
        found_.append(found);
        word_.clear();
        inWord_ = false;
    }

    void characterLiteral() {
        // A digit separator (1'000) is no character literal.
        if (at_ > 0 && code_[at_ - 1].isDigit()) {
            ++at_;
            return;
        }
        quotedBody(QLatin1Char('\''));
        word_.clear();
    }

    void punctuation(QChar c) {
        if (c == QLatin1Char('\n')) {
            ++line_;
        }
        if (c.isLetterOrNumber() || c == QLatin1Char('_')) {
            if (!inWord_) {
                word_.clear();
            }
            word_ += c;
            inWord_ = true;
            return;
        }
        inWord_ = false;
        if (c == QLatin1Char('(')) {
            ++depth_;
            if (word_ == QLatin1String("AVISO") && avisoDepth_ == 0) {
                avisoDepth_ = depth_;
            }
        } else if (c == QLatin1Char(')')) {
            if (depth_ == avisoDepth_) {
                avisoDepth_ = 0;
            }
            --depth_;
        }
        if (!c.isSpace()) {
            word_.clear();
        }
    }

    const QString& code_;
    qsizetype at_ = 0;
    int line_ = 1;
    int depth_ = 0;
    int avisoDepth_ = 0; // the parenthesis depth inside an AVISO call, 0 outside one
    QString word_;       // the identifier just read
    bool inWord_ = false;
    QList<SourceLiteral> found_;
};

} // namespace

QList<SourceLiteral> sourceLiterals(const QString& code) {
    return Scanner(code).literals();
}

QString sourceRoot() {
    return QStringLiteral(ORVALEN_SOURCE_DIR);
}

QString sourceFile(const QString& relativePath) {
    QFile file(sourceRoot() + QLatin1Char('/') + relativePath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace orvalen::test
