select a from t;
	delete from t where a ==
