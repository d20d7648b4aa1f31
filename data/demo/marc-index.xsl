<?xml version="1.0" encoding="UTF-8"?>
<!-- Index terms of a MARC 21 record, named after bib-1 use attributes so that
     "@attr 1=4 word" searches the title, "@attr 1=1003" the authors and so on. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:m="http://www.loc.gov/MARC21/slim" xmlns:z="http://indexdata.com/zebra-2.0">
  <xsl:output method="xml" encoding="UTF-8"/>

  <xsl:template match="/m:record">
    <z:record z:id="{normalize-space(m:controlfield[@tag='001'])}">
      <z:index name="Local-number:0 Local-number:w">
        <xsl:value-of select="normalize-space(m:controlfield[@tag='001'])"/>
      </z:index>
      <xsl:for-each select="m:datafield[@tag='245']">
        <z:index name="Title:w Title:p Title:s">
          <xsl:value-of select="concat(m:subfield[@code='a'], ' ', m:subfield[@code='b'])"/>
        </z:index>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='100' or @tag='700']">
        <z:index name="Author:w Author:p Author-name-personal:w Personal-name:w">
          <xsl:value-of select="m:subfield[@code='a']"/>
        </z:index>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='110' or @tag='710']">
        <z:index name="Author:w Author:p Author-name-corporate:w Corporate-name:w">
          <xsl:value-of select="m:subfield[@code='a']"/>
        </z:index>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='020']/m:subfield[@code='a']">
        <z:index name="ISBN:w ISBN:0"><xsl:value-of select="."/></z:index>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='022']/m:subfield[@code='a']">
        <z:index name="ISSN:w ISSN:0"><xsl:value-of select="."/></z:index>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='010']/m:subfield[@code='a']">
        <z:index name="LC-card-number:w"><xsl:value-of select="normalize-space(.)"/></z:index>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='650']">
        <z:index name="Subject-heading:w Subject-heading:p">
          <xsl:value-of select="m:subfield[@code='a']"/>
        </z:index>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='260' or @tag='264']">
        <z:index name="Publisher:w"><xsl:value-of select="m:subfield[@code='b']"/></z:index>
      </xsl:for-each>
      <z:index name="Date-of-publication:w Date:w">
        <xsl:value-of select="substring(m:controlfield[@tag='008'], 8, 4)"/>
      </z:index>
      <z:index name="Code-language:w">
        <xsl:value-of select="substring(m:controlfield[@tag='008'], 36, 3)"/>
      </z:index>
      <z:index name="Any:w">
        <xsl:for-each select="m:datafield/m:subfield">
          <xsl:value-of select="concat(., ' ')"/>
        </xsl:for-each>
      </z:index>
    </z:record>
  </xsl:template>
</xsl:stylesheet>
