#pragma once

#include <optional>

// Progress values of a download, posted to the main window as it goes.
constexpr int kProgressStart = 0;
constexpr int kProgressInternetOpen = 2;
constexpr int kProgressAddressOpen = 8;
constexpr int kProgressFileCreated = 10;
constexpr int kProgressDone = 100;

// Downloads are read in pieces of this many bytes.
constexpr int kDownloadPieceSize = 10240;

// The estimate after each piece: 10 + 90 * k / (L / 10240) for the k-th piece
// of a body of L bytes. It is only an estimate: the formula runs past 100 when
// the last piece is short or pieces arrive smaller than kDownloadPieceSize.
// It is held at 100, because the window reads these posts like its tray
// icon's mouse messages, and values from 512 on are such messages (513 is a
// left press, 517 a right release). Without a content length (or one under a
// piece) there is no estimate at all.
class DownloadProgress {
public:
    explicit DownloadProgress(long long contentLength);

    std::optional<int> AfterPiece();

private:
    long long m_expectedPieces;
    long long m_sum = 0;
};
