#pragma once
// What the check before printing looks at: the composition tells it every slot it used, every
// picture it placed and every caption it added, with where they lie on which page; the check then
// finds what would come out wrong on paper.

#include "ControlloStampa.h"
#include "PublisherApi.h"

#include <QHash>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <map>
#include <memory>
#include <vector>

namespace lumetra::composition {

struct LimitiControllo {
    int adattamento = Publisher::lmPictureFitStretch;
    int ppiMinimo = PpiMinimoPredefinito;
    QSizeF pagina; // empty: the engine cannot tell, nothing is checked against the page
    QString layout;
    bool leggiImmagini = true;     // read every picture to its end (false: already done)
    QHash<QString, QString> danni; // without reading: what was found wrong, by picture name
};

class VerificaLavoro {
public:
    // A slot of the layout, the first time it is filled.
    void Slot(int indice, int pagina, const QRectF& riquadro);
    // A placed picture; formato may be null (an engine that tells nothing of its pictures).
    void Immagine(const QString& nome, int pagina, const QRectF& riquadro,
                  std::shared_ptr<Publisher::PictureFormat> formato);
    // A caption of picture `nome`; corpo 0 when the engine cannot tell its size.
    void Didascalia(const QString& nome, int pagina, const QRectF& riquadro, double corpo);

    // What the catalogue found wrong with a placed picture (a code not in the price list, a
    // barcode that cannot be drawn), as it was found.
    void Catalogo(Rilievo rilievo) { catalogo_.push_back(std::move(rilievo)); }

    bool HaImmaginiDaLeggere() const;
    // The findings, kind after kind. A picture that cannot be read is a damaged one.
    std::vector<Rilievo> Verifica(const LimitiControllo& limiti) const;

private:
    struct Posta {
        QString nome;
        int pagina = 0;
        QRectF riquadro;
        std::shared_ptr<Publisher::PictureFormat> formato = {};
        double corpo = 0;
    };
    std::vector<QString> LeggiImmagini() const;
    std::vector<QString> DanniNoti(const LimitiControllo& limiti) const;
    void VerificaImmagine(const Posta& immagine, const QString& danno,
                          const LimitiControllo& limiti, std::vector<Rilievo>& rilievi) const;
    void VerificaDuplicati(std::vector<Rilievo>& rilievi) const;
    void VerificaDidascalie(const LimitiControllo& limiti, std::vector<Rilievo>& rilievi) const;
    void VerificaSlot(const LimitiControllo& limiti, std::vector<Rilievo>& rilievi) const;

    std::map<int, Posta> slot_; // by slot, the first page that filled it
    std::vector<Posta> immagini_;
    std::vector<Posta> didascalie_;
    std::vector<Rilievo> catalogo_;
};

} // namespace lumetra::composition
