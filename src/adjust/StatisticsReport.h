#pragma once
// The growing statistics report: eight text columns per row, one row per grey image and three
// per colour image, saved as comma-separated text or as a spreadsheet workbook.

#include <array>
#include <string>
#include <vector>

class TFImage;

using TStatisticsRow = std::array<std::string, 8>;

class TStatisticsReport {
public:
    // Adds the rows of the image (file name without folder); a failed row reads "***ERROR***".
    void AddImage(const TFImage& image);
    void Delete(std::size_t index);
    void Clear() { rows_.clear(); }
    const std::vector<TStatisticsRow>& Rows() const { return rows_; }

    // Columns joined by "," without quoting, each line ended by CR LF, no header.
    std::string Csv() const;
    // Writes the CSV; false on any error (the old file is kept).
    bool SaveCsv(const std::string& path) const;

private:
    std::vector<TStatisticsRow> rows_;
};

// The column captions of the report window.
const std::array<const char*, 8>& StatisticsColumnCaptions();

// Rows of one image, as the report adds them.
std::vector<TStatisticsRow> StatisticsRows(const TFImage& image);

// The spreadsheet export: sheet "Zelvane Image Statistics" with the header row, bold A1:I1,
// column widths 30 and 12, one text row per report row. False if the file was not written.
bool WriteStatisticsWorkbook(const std::vector<TStatisticsRow>& rows, const std::string& path);
