# Time per item of SortLb and SortLbEx against the number of items, one line per kind of input,
# with the well-written host for comparison. Called by tools/bench.sh with data and output set.
set terminal pngcairo size 900,640 font "sans,11"
set output output
set title "SortLb and SortLbEx under Wine: time per item"
set xlabel "items in the listbox"
set ylabel "microseconds per item"
set logscale xy 2
set xrange [800:20000]
set xtics (1000, 2000, 4000, 8000, 16000)
set format y "%g"
set grid
set key below maxrows 3
kinds = "random sorted reversed duplicated"
plot for [k in kinds] data using 2:(strcol(1) eq k ? $3 : NaN) with linespoints lw 2 pt 7 title "SortLb, ".k, \
     for [k in kinds] data using 2:(strcol(1) eq k ? $6 : NaN) with linespoints lw 2 dt 3 pt 5 title "SortLbEx, ".k, \
     data using 2:(strcol(1) eq "random" ? $5 : NaN) with linespoints dt 2 lc rgb "gray40" pt 6 \
          title "well-written host, random"
