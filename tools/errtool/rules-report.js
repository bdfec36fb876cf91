// Sorting the rules report page's tables by a click on a column's heading: numbers by value, other columns by text.
document.querySelectorAll("table.sortable th").forEach(function (th) {
  th.addEventListener("click", function () {
    var table = th.closest("table"), body = table.tBodies[0], index = th.cellIndex;
    var numeric = th.classList.contains("num");
    var ascending = th.getAttribute("aria-sort") !== "ascending";
    table.querySelectorAll("th").forEach(function (other) { other.removeAttribute("aria-sort"); });
    th.setAttribute("aria-sort", ascending ? "ascending" : "descending");
    var key = function (row) {
      var cell = row.cells[index], value = cell.getAttribute("data-sort") || cell.textContent;
      return numeric ? Number(value) : value.toLowerCase();
    };
    Array.prototype.slice.call(body.rows).sort(function (a, b) {
      var x = key(a), y = key(b);
      return (x < y ? -1 : x > y ? 1 : 0) * (ascending ? 1 : -1);
    }).forEach(function (row) { body.appendChild(row); });
  });
});
document.body.setAttribute("data-sorting", "ready");
