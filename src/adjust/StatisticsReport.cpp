#include "adjust/StatisticsReport.h"

#include "adjust/Statistics.h"
#include "core/AtomicFile.h"
#include "core/fimage.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

std::string Fixed3(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", v);
    return text;
}

std::string BaseName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

TStatisticsRow ErrorRow() {
    TStatisticsRow row;
    row[0] = "***ERROR***";
    return row;
}

} // namespace

const std::array<const char*, 8>& StatisticsColumnCaptions() {
    static const std::array<const char*, 8> captions = {"Image",   "Chan.",   "Size", "BPP",
                                                        "Minimum", "Maximum", "Mean", "Std. Dev."};
    return captions;
}

std::vector<TStatisticsRow> StatisticsRows(const TFImage& image) {
    const std::string name = BaseName(image.FileName);
    const std::string size = std::to_string(image.Width) + " x " + std::to_string(image.Height);
    const std::string bpp = std::to_string(image.BitsPerPixel);
    const TImageKind kind = image.Kind();
    if (kind == TImageKind::Grey16 || kind == TImageKind::GreyFloat) {
        TGreyStatistics s;
        if (RegionGreyStatistics(WholeImage(image), image, s) < 0)
            return {ErrorRow()};
        return {{name, "*", size, bpp, Fixed3(s.Minimum), Fixed3(s.Maximum), Fixed3(s.Mean),
                 Fixed3(s.StdDev)}};
    }
    TColourStatistics s;
    if (RegionColourStatistics(WholeImage(image), image, s) < 0)
        return {ErrorRow(), ErrorRow(), ErrorRow()};
    static const char* const channels[3] = {"R", "G", "B"};
    std::vector<TStatisticsRow> rows;
    for (int c = 0; c < 3; ++c)
        rows.push_back({name, channels[c], size, bpp, Fixed3(s.Minimum[c]), Fixed3(s.Maximum[c]),
                        Fixed3(s.Mean[c]), Fixed3(s.StdDev[c])});
    return rows;
}

void TStatisticsReport::AddImage(const TFImage& image) {
    for (auto& row : StatisticsRows(image))
        rows_.push_back(std::move(row));
}

void TStatisticsReport::Delete(std::size_t index) {
    if (index < rows_.size())
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string TStatisticsReport::Csv() const {
    std::string text;
    for (const auto& row : rows_) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += ',';
            text += row[i];
        }
        text += "\r\n";
    }
    return text;
}

bool TStatisticsReport::SaveCsv(const std::string& path) const {
    try {
        TAtomicFile file(path);
        if (!file.Ok())
            return false;
        {
            std::ofstream out(file.TempPath(), std::ios::binary | std::ios::trunc);
            const std::string text = Csv();
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            out.close();
            if (!out)
                return false;
        }
        return file.Commit();
    } catch (...) {
        return false;
    }
}

bool WriteStatisticsWorkbook(const std::vector<TStatisticsRow>& rows, const std::string& path) {
    static const char* const headers[8] = {"Image",   "Channel", "Size", "BPP",
                                           "Minimum", "Maximum", "Mean", "Std. Dev."};
    try {
        TAtomicFile file(path);
        if (!file.Ok())
            return false;
        lxw_workbook* book = workbook_new(file.TempPath().c_str());
        if (!book)
            return false;
        lxw_worksheet* sheet = workbook_add_worksheet(book, "Zelvane Image Statistics");
        lxw_format* bold = workbook_add_format(book);
        bool ok = sheet && bold;
        if (ok) {
            format_set_bold(bold);
            // A1:I1 is bold, the ninth column included although it stays empty.
            for (lxw_col_t c = 0; c < 8; ++c)
                ok = ok && worksheet_write_string(sheet, 0, c, headers[c], bold) == LXW_NO_ERROR;
            ok = ok && worksheet_write_blank(sheet, 0, 8, bold) == LXW_NO_ERROR;
            ok = ok && worksheet_set_column(sheet, 0, 0, 30, nullptr) == LXW_NO_ERROR;
            ok = ok && worksheet_set_column(sheet, 1, 7, 12, nullptr) == LXW_NO_ERROR;
            for (std::size_t r = 0; ok && r < rows.size(); ++r)
                for (lxw_col_t c = 0; ok && c < 8; ++c)
                    ok = worksheet_write_string(sheet, static_cast<lxw_row_t>(r + 1), c,
                                                rows[r][c].c_str(), nullptr) == LXW_NO_ERROR;
        }
        const bool closed = workbook_close(book) == LXW_NO_ERROR;
        return ok && closed && file.Commit();
    } catch (...) {
        return false;
    }
}
