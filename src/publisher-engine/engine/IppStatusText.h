#pragma once
// What a print server's IPP status code means, in Italian, for the messages of a failed job.

#include <QString>

namespace lumetra::engine {

// The meaning of IPP status `status` ("la stampante non accetta lavori"), or for a code without
// a text of its own a generic one that gives the code ("errore del server di stampa (codice IPP
// 0x0abc)").
QString ippStatusText(int status);

} // namespace lumetra::engine
