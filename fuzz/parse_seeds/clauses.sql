select a from t where 1 < a <= 5 && b max 3 || (c != any (1, 2)) group count(a) by b recompute a += 1 project except c rename a b
