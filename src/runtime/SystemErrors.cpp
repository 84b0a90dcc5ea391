#include "SystemErrors.h"

#include <cerrno>

namespace lumetra::runtime {

QString systemErrorText(int error) {
    switch (error) {
    case ENOENT:
        return QStringLiteral("file o cartella inesistente");
    case ENOTDIR:
        return QStringLiteral("una parte del percorso non è una cartella");
    case EISDIR:
        return QStringLiteral("è una cartella");
    case EACCES:
    case EPERM:
        return QStringLiteral("accesso negato");
    case EROFS:
        return QStringLiteral("il disco è protetto da scrittura");
    case ENOSPC:
        return QStringLiteral("spazio esaurito sul disco");
    case EDQUOT:
        return QStringLiteral("quota del disco esaurita");
    case EFBIG:
        return QStringLiteral("il file supera la dimensione massima consentita");
    case ENAMETOOLONG:
        return QStringLiteral("nome del file troppo lungo");
    case ELOOP:
        return QStringLiteral("troppi collegamenti simbolici nel percorso");
    case EEXIST:
        return QStringLiteral("il file esiste già");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("il file è in uso");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("troppi file aperti");
    case ENOMEM:
        return QStringLiteral("memoria insufficiente");
    case EIO:
        return QStringLiteral("errore di lettura o scrittura sul disco");
    case EXDEV:
        return QStringLiteral("il file si trova su un altro disco");
    case EINVAL:
        return QStringLiteral("nome o richiesta non valida");
    case EAGAIN:
        return QStringLiteral("risorsa temporaneamente non disponibile");
    case EINTR:
        return QStringLiteral("operazione interrotta");
    case ESTALE:
        return QStringLiteral("il file non è più disponibile sul disco di rete");
    case ENODEV:
    case ENXIO:
        return QStringLiteral("dispositivo non disponibile");
    case ETIMEDOUT:
        return QStringLiteral("tempo di attesa scaduto");
    case ECONNREFUSED:
        return QStringLiteral("connessione rifiutata");
    case EHOSTUNREACH:
    case ENETUNREACH:
        return QStringLiteral("rete non raggiungibile");
    default:
        return QStringLiteral("errore di sistema %1").arg(error);
    }
}

} // namespace lumetra::runtime
