// lumetra-bench-decodifica: the decoding anchor of the composition benchmark. Decodes JPEG files
// with libjpeg-turbo at the smallest DCT scale that still covers a target size (a picture slot
// at print resolution), spread over N threads, and prints the seconds it took. With --ricodifica
// it also scales each picture to the target size and re-encodes it, printing the total bytes: the
// size of the pictures as a print-resolution document needs them.
//
//   lumetra-bench-decodifica LARGHEZZA ALTEZZA THREAD [--ricodifica QUALITA] FILE...
#include <QImage>

#include <turbojpeg.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Esito {
    bool ok = true;
    long long byte = 0;
};

std::vector<unsigned char> Leggi(const std::string& percorso) {
    std::ifstream file(percorso, std::ios::binary | std::ios::ate);
    std::vector<unsigned char> dati;
    if (!file)
        return dati;
    dati.resize(static_cast<size_t>(file.tellg()));
    file.seekg(0);
    file.read(reinterpret_cast<char*>(dati.data()), static_cast<std::streamsize>(dati.size()));
    return dati;
}

// Decodes one file at the smallest scale not below the target; re-encodes when qualita > 0.
Esito Decodifica(tjhandle d, tjhandle c, const std::string& percorso, int lt, int at, int qualita) {
    Esito esito;
    const std::vector<unsigned char> dati = Leggi(percorso);
    int w = 0, h = 0, sub = 0, spazio = 0;
    if (dati.empty() || tjDecompressHeader3(d, dati.data(), dati.size(), &w, &h, &sub, &spazio))
        return {false, 0};
    int n = 0;
    const tjscalingfactor* fattori = tjGetScalingFactors(&n);
    tjscalingfactor scelto{1, 1};
    int migliore = w * h;
    for (int i = 0; i < n; ++i) {
        const int sw = TJSCALED(w, fattori[i]);
        const int sh = TJSCALED(h, fattori[i]);
        if (sw >= lt && sh >= at && sw * sh < migliore) {
            migliore = sw * sh;
            scelto = fattori[i];
        }
    }
    const int sw = TJSCALED(w, scelto);
    const int sh = TJSCALED(h, scelto);
    QImage immagine(sw, sh, QImage::Format_RGB888);
    if (tjDecompress2(d, dati.data(), dati.size(), immagine.bits(), sw,
                      static_cast<int>(immagine.bytesPerLine()), sh, TJPF_RGB, TJFLAG_FASTDCT))
        return {false, 0};
    if (qualita > 0) {
        const QImage ridotta =
            immagine.scaled(lt, at, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        unsigned char* uscita = nullptr;
        unsigned long dimensione = 0;
        if (tjCompress2(c, ridotta.constBits(), lt, static_cast<int>(ridotta.bytesPerLine()), at,
                        TJPF_RGB, &uscita, &dimensione, TJSAMP_420, qualita, 0))
            esito.ok = false;
        esito.byte = static_cast<long long>(dimensione);
        tjFree(uscita);
    }
    return esito;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fputs("Uso: lumetra-bench-decodifica LARGHEZZA ALTEZZA THREAD [--ricodifica "
                   "QUALITA] FILE...\n",
                   stderr);
        return 2;
    }
    const int lt = std::atoi(argv[1]);
    const int at = std::atoi(argv[2]);
    const int thread = std::max(1, std::atoi(argv[3]));
    int primo = 4;
    int qualita = 0;
    if (std::string(argv[4]) == "--ricodifica" && argc > 6) {
        qualita = std::atoi(argv[5]);
        primo = 6;
    }
    std::vector<std::string> file(argv + primo, argv + argc);
    std::atomic<size_t> prossimo{0};
    std::atomic<long long> byte{0};
    std::atomic<int> errori{0};
    const auto inizio = std::chrono::steady_clock::now();
    std::vector<std::thread> lavoratori;
    for (int t = 0; t < thread; ++t) {
        lavoratori.emplace_back([&] {
            tjhandle d = tjInitDecompress();
            tjhandle c = tjInitCompress();
            for (size_t i = prossimo++; i < file.size(); i = prossimo++) {
                const Esito e = Decodifica(d, c, file[i], lt, at, qualita);
                byte += e.byte;
                if (!e.ok)
                    ++errori;
            }
            tjDestroy(c);
            tjDestroy(d);
        });
    }
    for (auto& l : lavoratori)
        l.join();
    const double secondi =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    std::printf("secondi %.3f\n", secondi);
    if (qualita > 0)
        std::printf("byte %lld\n", byte.load());
    if (errori > 0) {
        std::fprintf(stderr, "%d file non decodificati\n", errori.load());
        return 1;
    }
    return 0;
}
