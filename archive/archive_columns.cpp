#include "archive/archive_columns.h"

#include <array>

#include "telemetry/channel_table.h"

namespace orvex {

std::string_view ChannelColumn(int channel) {
    static constexpr std::array<std::string_view, kChannelCount> kColumns = {
        "battery_0",
        "battery_4",
        "battery_2",
        "battery_6",
        "battery_1",
        "battery_5",
        "battery_3",
        "battery_7",
        "solar_array",
        "bus_8v",
        "bus_5v",
        "bus_10v",
        "battery_5_temp",
        "bus_10v_current",
        "bus_8v_current",
        "bus_5v_current",
        "x_minus_array_current",
        "x_plus_array_current",
        "y_minus_array_current",
        "y_plus_array_current",
        "z_minus_array_current",
        "z_plus_array_current",
        "external_current",
        "bcr_input_current",
        "bcr_output_current",
        "bcr_plate_temp",
        "bcr_pc_board_temp",
        "battery_0_temp",
        "tx_a_rf_output",
        "tx_b_rf_output",
        "tx_ther_a",
        "tx_ther_b",
        "tx_ther_c",
        "tx_ther_d",
        "edac_counter",
        "eclipse",
        "set_point",
        "tepr_state",
    };
    return kColumns[static_cast<std::size_t>(channel)];
}

// ASCII only, whatever the locale: the names are the program's own.
std::string SqlName(std::string_view name) {
    std::string sql;
    bool gap = false;
    for (const char c : name) {
        const bool upper = c >= 'A' && c <= 'Z';
        if (!upper && !(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9')) {
            gap = !sql.empty();
            continue;
        }
        if (gap) {
            sql.push_back('_');
            gap = false;
        }
        sql.push_back(upper ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return sql;
}

}  // namespace orvex
