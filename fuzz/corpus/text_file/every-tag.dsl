#NAME "Every tag"
#INDEX_LANGUAGE "English"
#CONTENTS_LANGUAGE "Russian"

{{a comment before the first article}}
house
	[m1][b]house[/b] [p]n[/p] [c red]red[/c] [c #0000ff]blue[/c] [c DarkGreen]dark[/c][/m]
	[m2][i]italic[/i], [u]under[/u], H[sub]2[/sub]O, x[sup]2[/sup][/m]
	[m2][com]comment style[/com] [ex]example[/ex] [*]star[/*] [']a[/'] [C Red]upper[/c][/m]
	[url]http://example.org[/url] [lang id=1033]lang[/lang] [trn]trn[/trn] [!trs]trs[/!trs] [ref]house[/ref] [s]pic.png[/s]
	[c]kept colour[/c] [unknown]ignored[/unknown] plain [c #ff0000ff]six digits[/c]
	Escapes: \[ \] \\ \~ \^ \@ and specials: ~, ^~, ^x, @, # " % and a	tab
	Comments {{inline}} vanish {{ across
lines }} and {{one}}join{{two}}
	[m12]wide margin[/m]

	  indented with a blank
cat
kitten
	shared body of {{x}}two headwords
house
	second article for ~
100%25 sure
	percent title
