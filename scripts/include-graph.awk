# The include graph of the sources, read as lines "<unit> <included unit>" (or a unit alone). Prints
# every circle (a set of units that use each other, by Tarjan's algorithm) and exits 1 when there is
# one. With -v figures=PREFIX it also prints the levels of use of the units under PREFIX: the
# longest chain of uses below one of them, a circle counting as one unit.
{
    if (!($1 in seen)) { seen[$1] = 1; nodes[++n] = $1 }
    if ($2 != "" && !($2 in seen)) { seen[$2] = 1; nodes[++n] = $2 }
    if ($2 != "" && $1 != $2 && !(($1 SUBSEP $2) in edge)) {
        edge[$1, $2] = 1; out[$1] = out[$1] " " $2; edges++
    }
}
function connect(v,    parts, k, w, c, members) {
    index_[v] = low[v] = ++counter; stack[++top] = v; onStack[v] = 1
    k = split(out[v], parts, " ")
    for (; k > 0; --k) {
        w = parts[k]
        if (!(w in index_)) { connect(w); if (low[w] < low[v]) low[v] = low[w] }
        else if (onStack[w] && index_[w] < low[v]) low[v] = index_[w]
    }
    if (low[v] == index_[v]) {
        c = 0; members = ""
        do { w = stack[top--]; onStack[w] = 0; comp[w] = v; members = members " " w; ++c } while (w != v)
        if (c > 1) { circles++; print "circle of " c ":" members }
    }
}
# Longest chain of uses below a unit (1 for a unit that uses none), over the circles' components.
function depth(v,    parts, k, d, best) {
    if (v in level) return level[v]
    level[v] = 1; best = 1
    k = split(out[v], parts, " ")
    for (; k > 0; --k) if (comp[parts[k]] != comp[v]) { d = depth(parts[k]) + 1; if (d > best) best = d }
    return level[v] = best
}
END {
    for (i = 1; i <= n; ++i) if (!(nodes[i] in index_)) connect(nodes[i])
    if (figures != "") {
        deepest = 0
        for (i = 1; i <= n; ++i) if (index(nodes[i], figures) == 1) {
            units++
            d = depth(nodes[i]); if (d > deepest) deepest = d
        }
        print "units: " units + 0 ", uses: " edges + 0 ", levels of use: " deepest ", circles: " circles + 0
    }
    exit circles > 0
}
