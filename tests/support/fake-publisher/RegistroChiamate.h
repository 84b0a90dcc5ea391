#pragma once
// The call log of the fake object model: one text line per call, in order, and failures on
// request (a Publisher::Error thrown at the n-th call whose line matches a pattern).

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace lumetra::fake {

class RegistroChiamate {
public:
    // The occorrenza-th call (from 1) whose line matches the regular expression modello throws
    // Publisher::Error(numero, descrizione). Each rule fires once.
    void FallisciSu(const QString& modello, std::int32_t numero, int occorrenza = 1,
                    const QString& descrizione = QString());

    // Records a line; throws when a rule says so (the line is recorded with " => Errore(n)").
    void Registra(const QString& riga);

    // Every line, or only those matching a regular expression.
    const QStringList& Righe() const { return righe_; }
    QStringList Righe(const QString& modello) const;
    // The lines without the plain navigation from object to sub-object (Document.Pages,
    // Page(n).Shapes, Shape.TextFrame, TextFrame.TextRange, TextRange.Font, ...).
    QStringList Operazioni() const;
    int Conta(const QString& modello) const { return static_cast<int>(Righe(modello).size()); }
    void Svuota() { righe_.clear(); }

private:
    struct Regola {
        QRegularExpression modello;
        std::int32_t numero;
        int mancanti;
        QString descrizione;
    };
    QStringList righe_;
    std::vector<Regola> regole_;
};

// How values appear in the log: numbers as the shortest text, strings in double quotes,
// booleans as True/False.
QString Valore(double numero);
QString Valore(const QString& testo);
QString Valore(bool valore);

} // namespace lumetra::fake
