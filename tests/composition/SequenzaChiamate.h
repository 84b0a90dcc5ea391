#pragma once
// Fixture of the call-sequence tests: the recording fake, and a context that writes what the
// composition shows (status text, progress bar, message boxes) into the same call log.

#include "ContestoSemplice.h"
#include "PublisherFinto.h"
#include "StampaQt.h"

#include <gtest/gtest.h>

namespace lumetra::composition::test {

using fake::FormaFinta;
using fake::Valore;

// A context that writes what the composition shows into the fake's call log.
class ContestoRegistrato : public ContestoSemplice {
public:
    explicit ContestoRegistrato(fake::RegistroChiamate& registro) : r_(registro) {}
    void ImpostaInformazioni(const QString& testo) override {
        r_.Registra(QStringLiteral("lblInformazioni = ") + Valore(testo));
        ContestoSemplice::ImpostaInformazioni(testo);
    }
    void ImpostaMinimoProgresso(float v) override {
        r_.Registra(QStringLiteral("prgBar.Min = ") + Valore(v));
        ContestoSemplice::ImpostaMinimoProgresso(v);
    }
    void ImpostaMassimoProgresso(float v) override {
        r_.Registra(QStringLiteral("prgBar.Max = ") + Valore(v));
        ContestoSemplice::ImpostaMassimoProgresso(v);
    }
    void ImpostaValoreProgresso(float v) override {
        r_.Registra(QStringLiteral("prgBar.Value = ") + Valore(v));
        ContestoSemplice::ImpostaValoreProgresso(v);
    }
    void ImpostaProgressoVisibile(bool v) override {
        r_.Registra(QStringLiteral("prgBar.Visible = ") + Valore(v));
        ContestoSemplice::ImpostaProgressoVisibile(v);
    }
    int MsgBox(const QString& testo, int stile, const QString& titolo) override {
        r_.Registra(QStringLiteral("MsgBox(%1)").arg(stile));
        return ContestoSemplice::MsgBox(testo, stile, titolo);
    }

private:
    fake::RegistroChiamate& r_;
};

inline const double Altezza07 = 0.7 * 72 / 2.54;

// One job on the fake. Its layout, unless set otherwise: page 1 holds a text box, rectangle A,
// an oval and rectangle B (slots: shapes 2 and 4).
struct LavoroFinto {
    LavoroFinto() : contesto(finto.Registro()) {
        FormaFinta titolo = fake::Rettangolo(36, 20, 300, 30);
        titolo.tipo = Publisher::msoTextBox;
        titolo.testo = QStringLiteral("Catalogo");
        FormaFinta ovale = fake::Rettangolo(400, 20, 40, 30);
        ovale.tipoAutoForma = Publisher::msoShapeOval;
        finto.ImpostaLayout({{titolo, fake::Rettangolo(36, 80, 150, 150), ovale,
                              fake::Rettangolo(216, 80, 150, 150)}});
        contesto.layout = QStringLiteral("/layout/catalogo.pub");
        contesto.indirizzo = QStringLiteral("/foto");
        contesto.fabbrica = finto.Fabbrica();
    }

    // Queues F1.jpg, F2.jpg, ...
    void Accoda(int quanti) {
        for (int i = 1; i <= quanti; ++i)
            contesto.selezionati.append(QStringLiteral("F%1.jpg").arg(i));
    }

    QStringList Operazioni() const { return finto.Registro().Operazioni(); }
    QStringList Righe(const QString& modello) const { return finto.Registro().Righe(modello); }

    fake::PublisherFinto finto;
    ContestoRegistrato contesto;
};

} // namespace lumetra::composition::test
