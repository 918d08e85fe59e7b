#include "generator/grid_model.h"

#include <algorithm>
#include <string>

#include "shared/free_format.h"
#include "shared/print.h"

namespace verdan {

void GridBeam::size(int nx, int ny) {
  nx_ = nx;
  ny_ = ny;
  x_span_.assign(static_cast<std::size_t>(nx) + 1, 0);
  y_span_.assign(static_cast<std::size_t>(ny) + 1, 0);
  nodes_.assign(index(nx, ny, 1) + 1, 0);
}

void GridBeam::accumulate() {
  for (int i = 1; i <= nx_; ++i) x_span(i) += x_span(i - 1);
  for (int j = 1; j <= ny_; ++j) y_span(j) += y_span(j - 1);
}

DataFileContent<float> GridBeam::generate() {
  DataFileContent<float> d;
  auto number = [&](int i, int j) {
    for (int k = 0; k < 2; ++k) {
      if (!exists(i, j, k)) continue;
      d.node_x.push_back(static_cast<float>(x_span(i) + y_span(j)));
      d.node_y.push_back(static_cast<float>(k == 0 ? 200 * j : 200 * i + 100));
      nodes_[index(i, j, k)] = static_cast<int>(d.node_x.size());
    }
  };
  if (nx_ < ny_) {
    for (int j = 0; j <= ny_; ++j)
      for (int i = 0; i <= nx_; ++i) number(i, j);
  } else {
    for (int i = 0; i <= nx_; ++i)
      for (int j = 0; j <= ny_; ++j) number(i, j);
  }
  auto member = [&](int a, int b, int kind) {
    d.end_a.push_back(a);
    d.end_b.push_back(b);
    d.kind.push_back(kind);
  };
  for (int j = 1; j < ny_; ++j)
    for (int i = 0; i < nx_; ++i) member(node(i, j, 0), node(i + 1, j, 0), 1);
  for (int i = 1; i < nx_; ++i)
    for (int j = 0; j < ny_; ++j) member(node(i, j, 1), node(i, j + 1, 1), 1);
  for (int i = 1; i < nx_; ++i)
    for (int j = 1; j < ny_; ++j) member(node(i, j, 0), node(i, j, 1), 4);
  return d;
}

namespace {

// A whole number's digits padded with blanks to `width` on the right.
std::string left_aligned(int number, std::size_t width) {
  std::string text = number_text(static_cast<float>(number)).substr(1);
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

// The same padded on the left.
std::string right_aligned(int number, std::size_t width) {
  std::string text = number_text(static_cast<float>(number)).substr(1);
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

void write_grid_drawing(TextSink& sink, const GridBeam& g) {
  const int nx = g.nx();
  const int ny = g.ny();
  const std::string margin = "    |   ";
  for (int j = ny; j >= 1; --j) {
    const bool top = j == ny;
    print(sink, Using("Y&& +---", {std::to_string(j)}), stay);
    for (int i = 0; i < nx; ++i) {
      std::string number = "--" + number_text(static_cast<float>(g.x_girder(i, j))).substr(1);
      print(sink, top || i == 0 ? "   " : "---", top && i == 0 ? " " : "O", top ? "   " : "---",
            top ? std::string("   ") : number.substr(number.size() - 3), stay);
    }
    print(sink, top ? "" : "---O");

    print(sink, margin, stay);
    for (int i = 0; i < nx; ++i) print(sink, i == 0 ? std::string(10, ' ') : "   |" + left_aligned(g.node(i, j, 1), 6), stay);
    print(sink);
    for (int line = 3; line <= 5; ++line) {
      if (line == 4) {
        print(sink, Using("###.### ", {(g.y_span(j) - g.y_span(j - 1)) / 100}), stay);
      } else {
        print(sink, margin, stay);
      }
      for (int i = 0; i < nx; ++i) {
        if (i == 0) {
          print(sink, std::string(10, ' '), stay);
        } else if (line == 4) {
          print(sink, right_aligned(g.y_girder(i, j), 4), "      ", stay);
        } else {
          print(sink, "   |      ", stay);
        }
      }
      print(sink);
    }
    print(sink, margin, stay);
    for (int i = 0; i < nx; ++i) {
      print(sink, j == 1 ? std::string("   ") : right_aligned(g.node(i, j - 1, 0), 3), i == 0 ? "       " : "|      ",
            stay);
    }
    print(sink, j == 1 ? std::string() : right_aligned(g.node(nx, j - 1, 0), 3));
  }

  print(sink, "Y0  +---          ", stay);
  for (int i = 1; i < nx; ++i) print(sink, "   O      ", stay);
  print(sink);
  print(sink, std::string(22, ' '), stay);
  for (int i = 1; i < nx; ++i) print(sink, left_aligned(g.node(i, 0, 1), 10), stay);
  print(sink);
  print(sink);
  print(sink);
  for (int twice = 0; twice < 2; ++twice) {
    print(sink, "  ", stay);
    for (int i = 0; i <= nx; ++i) print(sink, "         |", stay);
    print(sink);
  }
  print(sink, "           +", stay);
  for (int i = 1; i <= nx; ++i) print(sink, Using("_-##.### -+", {(g.x_span(i) - g.x_span(i - 1)) / 100}), stay);
  print(sink);
  print(sink, std::string(10, ' '), stay);
  for (int i = 0; i <= nx; ++i) {
    std::string label = "X" + number_text(static_cast<float>(i)).substr(1);
    label.resize(std::max<std::size_t>(label.size(), 10), ' ');
    print(sink, label, stay);
  }
  print(sink);
}

}  // namespace verdan
