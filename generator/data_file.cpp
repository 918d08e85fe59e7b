#include "generator/data_file.h"

#include "shared/print.h"

namespace verdan {

template <typename Real>
void write_data_file(TextSink& sink, const DataFileContent<Real>& content) {
  // The counts are single-precision values in the file, like every count.
  const float closing_count = 1;
  const float fourth_count = 0;
  print(sink, "VERDAN V2.50");
  print(sink, static_cast<float>(content.node_x.size()), zone, static_cast<float>(content.end_a.size()), zone,
        closing_count, zone, fourth_count);
  for (std::size_t n = 0; n < content.node_x.size(); ++n) print(sink, content.node_x[n], zone, content.node_y[n]);
  for (std::size_t m = 0; m < content.end_a.size(); ++m) {
    print(sink, Using("### ### ###", {content.end_a[m], content.end_b[m], content.kind[m]}), "   ", -1, zone, 0,
          zone, 0, zone, 0, zone, 0);
  }
  print(sink, 1, zone, -1, zone, 0, zone, 0, zone, 0);
}

template void write_data_file<float>(TextSink&, const DataFileContent<float>&);
template void write_data_file<double>(TextSink&, const DataFileContent<double>&);

}  // namespace verdan
