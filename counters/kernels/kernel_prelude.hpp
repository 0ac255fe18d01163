// What a kernel's file includes before its target and namespace, outside both: the standard
// headers and the types and tables the generic algorithm (vector_kernel.hpp, scan_loops.hpp)
// uses, compiled for any CPU wherever they are not inlined.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "counters/kernels/fingerprints.hpp"
#include "counters/kernels/kernel_table.hpp"
#include "counters/kernels/line_facts.hpp"
#include "counters/kernels/scalar_kernel.hpp"
#include "counters/kernels/scan_tables.hpp"
#include "counters/scans/building_scan.hpp"
#include "counters/scans/sinks.hpp"
#include "counters/tables/bracket_amount.hpp"
#include "counters/tables/keyword_amount.hpp"
#include "counters/tables/tables.hpp"
#include "counters/text/function_ref.hpp"
#include "counters/text/text_ops.hpp"
