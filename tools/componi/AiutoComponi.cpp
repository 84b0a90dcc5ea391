// The text of lumetra-componi --help, in parts: the use, the options, the catalogue, saved jobs,
// the check and the exit codes.
#include "ArgomentiComponi.h"

namespace lumetra::componi {
namespace {

QString Uso() {
    return QStringLiteral(
        "Uso: lumetra-componi --layout LAYOUT.pub --cartella CARTELLA [opzioni]\n"
        "                     (--pdf FILE.pdf | --stampante | --controlla) [--] FILE...\n"
        "     lumetra-componi --lavoro LAVORO.lumetra [opzioni]\n"
        "                     (--pdf FILE.pdf | --stampante | --controlla) [FILE...]\n"
        "     lumetra-componi --salva-lavoro LAVORO.lumetra --layout ... [opzioni] FILE...\n"
        "\n"
        "Riempie i rettangoli della prima pagina del layout con le immagini FILE (nomi di file\n"
        "nella CARTELLA, nell'ordine dato), aggiunge i codici articolo e stampa il documento\n"
        "sulla stampante predefinita oppure lo scrive in un file PDF.\n");
}

QString Opzioni() {
    return QStringLiteral(
        "\n"
        "Opzioni:\n"
        "  --layout FILE      il layout di Publisher (*.pub)\n"
        "  --cartella DIR     la cartella delle immagini\n"
        "  --esterno N        codice articolo esterno: 0 nessuno, 1 sopra, 2 sotto (0)\n"
        "  --interno N        codice articolo interno: 0 nessuno, 1 sinistra, 2 destra (0)\n"
        "  --altezza H        altezza del codice articolo in centimetri, da 0,3 a 9,0 (0,7)\n"
        "  --font NOME        carattere del codice articolo (Times New Roman)\n"
        "  --grassetto        carattere grassetto\n"
        "  --corsivo          carattere corsivo\n"
        "  --copie N          numero di copie fascicolate, da 1 a 999 (1)\n"
        "  --adattamento MODO come le immagini riempiono i rettangoli (deforma):\n"
        "                     deforma  tutto il rettangolo, senza mantenere le proporzioni\n"
        "                     adatta   tutta l'immagine, centrata, con il bianco intorno\n"
        "                     riempi   tutto il rettangolo, con i bordi dell'immagine tagliati\n"
        "  --ppi-minimo N     risoluzione minima di stampa, in pixel per pollice (150)\n"
        "  --pdf FILE         scrive il documento in un file PDF invece di stamparlo\n"
        "  --stampante        stampa sulla stampante predefinita\n"
        "  --controlla        esegue solo il controllo prima della stampa: non stampa e non\n"
        "                     scrive nulla (--pdf e --stampante vengono ignorate)\n"
        "  --includi-danneggiate\n"
        "                     inserisce anche le immagini danneggiate (la parte leggibile)\n"
        "                     invece di saltarle\n"
        "  --dettagli         mostra anche l'avanzamento del lavoro\n"
        "  --help             mostra questo aiuto\n"
        "  --                 fine delle opzioni: le parole che seguono sono tutte nomi di file\n"
        "                     (anche quelle che cominciano con \"-\")\n");
}

QString Catalogo() {
    return QStringLiteral(
        "\n"
        "Listino, didascalie e codici a barre:\n"
        "  --listino FILE     il listino prezzi (CSV, XLSX o ODS, la prima riga con i nomi delle\n"
        "                     colonne): ogni codice articolo vi è cercato\n"
        "  --chiave COLONNA   la colonna del listino con i codici articolo (la prima che si\n"
        "                     chiama codice, articolo o code)\n"
        "  --testo-esterno MODELLO\n"
        "                     il testo del codice articolo esterno ({codice})\n"
        "  --testo-interno MODELLO\n"
        "                     il testo del codice articolo interno ({codice})\n"
        "  --barre TIPO       un codice a barre per ogni immagine (nessuno):\n"
        "                     code128        il codice articolo\n"
        "                     ean13:COLONNA  le 13 cifre nella COLONNA del listino\n"
        "                     nessuno        nessun codice a barre\n"
        "  --barre-posizione P\n"
        "                     il codice a barre sopra o sotto l'immagine (sotto)\n"
        "  --barre-altezza H  altezza del codice a barre in centimetri, da 0,5 a 9,0 (1,5)\n"
        "\n"
        "In un MODELLO {codice} è il codice articolo, {COLONNA} la colonna del listino con quel\n"
        "nome e i due caratteri \\n vanno a capo; il resto è scritto così com'è. I prezzi sono\n"
        "scritti all'italiana (€ 12,50). Esempio: --testo-esterno \"{codice}\\n{descrizione}\".\n");
}

QString Lavori() {
    return QStringLiteral(
        "\n"
        "Lavori salvati:\n"
        "  --salva-lavoro FILE\n"
        "                     salva il lavoro della riga di comando (layout, cartella, FILE in\n"
        "                     coda e opzioni) in FILE (*.lumetra) senza eseguirlo; sostituisce\n"
        "                     solo un lavoro salvato\n"
        "  --lavoro FILE      esegue un lavoro salvato: le opzioni date insieme prevalgono sulle\n"
        "                     sue, i FILE dati sostituiscono la sua coda\n"
        "I percorsi nella cartella del lavoro salvato vi restano relativi: la cartella si può\n"
        "spostare.\n");
}

QString Controllo() {
    return QStringLiteral(
        "\n"
        "Le opzioni possono stare in qualunque punto della riga, anche dopo i FILE.\n"
        "Le immagini che non si trovano o non si possono inserire vengono saltate e segnalate.\n"
        "\n"
        "Prima di stampare, il documento composto viene controllato: immagini danneggiate,\n"
        "risoluzione sotto il minimo, immagini deformate, codici articolo ripetuti, didascalie\n"
        "illeggibili, codici assenti dal listino, codici a barre non validi, rettangoli fuori\n"
        "dalla pagina. Ogni problema è segnalato su una riga:\n"
        "    avviso: TIPO: 'FILE': descrizione\n"
        "dove TIPO è danneggiata, risoluzione, deformata, duplicato, didascalia, listino, barre\n"
        "o pagina; segue il riepilogo del lavoro (\"Riepilogo: ...\"). Le immagini danneggiate\n"
        "vengono saltate, salvo con --includi-danneggiate; gli altri problemi non fermano la\n"
        "stampa.\n"
        "\n"
        "Codice di uscita: 0 documento stampato, 1 nessuna stampa, 2 argomenti non validi.\n"
        "Con --controlla: 0 nessun problema, 3 problemi segnalati, 1 controllo non eseguito\n"
        "(il lavoro non si può comporre), 2 argomenti non validi.\n"
        "Con --salva-lavoro: 0 lavoro salvato, 1 lavoro non salvato, 2 argomenti non validi.\n");
}

} // namespace

QString TestoAiuto() {
    return Uso() + Opzioni() + Catalogo() + Lavori() + Controllo();
}

} // namespace lumetra::componi
